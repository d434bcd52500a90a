// The longest function a user can hand the program through a tool window: whatever is pasted,
// an entry field keeps at most 32,767 characters, the length the project reader accepts too.
// (A 1 MB function once froze the window for 43 s; it can no longer be typed or pasted.)
#include "fielddriver.h"
#include "tests/support/cases.h"
#include "tools/evaluare.h"
#include "tools/newton.h"
#include "tools/xpert.h"

#include <QClipboard>
#include <memory>

namespace zv {
namespace {

constexpr int kFieldLimit = 32767;

TEST(EntryFieldLimit, APastedMegabyteIsCutToTheLongestFunction)
{
    const auto newton = std::make_unique<Newton>(QString());
    const auto evaluare = std::make_unique<Evaluare>(QString());
    const auto wizard = std::make_unique<XPert>();
    const struct
    {
        const char *name;
        const QWidget *window;
        const char *field;
    } cases[] = {
        {"NewtonFunction", newton.get(), "txt_f"},
        {"NewtonInitialValue", newton.get(), "Txt_X"},
        {"EvaluateFunction", evaluare.get(), "txt_f"},
        {"EvaluatePoint", evaluare.get(), "Txt_X"},
        {"WizardEquation", wizard.get(), "Txt_fx"},
        {"WizardStart", wizard.get(), "Txt_a"},
        {"WizardEnd", wizard.get(), "Txt_b"},
    };
    QString megabyte = QStringLiteral("sin(x)");
    while (megabyte.size() < (1 << 20))
        megabyte += QStringLiteral("+sin(x)");
    QApplication::clipboard()->setText(megabyte);

    test::ForEachCase(cases, [&megabyte](const auto &c) {
        QLineEdit *field = test::Control(*c.window, c.field);
        ASSERT_NE(field, nullptr);
        field->clear();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(field->text().size(), kFieldLimit);
        EXPECT_TRUE(megabyte.startsWith(field->text()));
    });
}

} // namespace
} // namespace zv
