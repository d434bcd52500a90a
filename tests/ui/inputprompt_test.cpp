#include "ui/inputprompt.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace zv {
namespace {

// As soon as the prompt box is up: keeps what it shows, then types `typed` and confirms, or
// presses Escape when there is nothing to type.
void AnswerWhenShown(QStringList &seen, std::optional<QString> typed)
{
    QTimer::singleShot(0, [&seen, typed] {
        auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return AnswerWhenShown(seen, typed);
        seen = {box->windowTitle(), box->labelText(), box->textValue()};
        auto *field = box->findChild<QLineEdit *>();
        if (!typed)
            return QTest::keyClick(field, Qt::Key_Escape);
        field->selectAll();
        QTest::keyClicks(field, *typed);
        QTest::keyClick(field, Qt::Key_Return);
    });
}

TEST(AskText, TheRealBoxShowsItsTextsAndTellsCancelApart)
{
    QStringList seen;
    AnswerWhenShown(seen, QStringLiteral("1,5"));
    EXPECT_EQ(AskText(nullptr, "a = ", "New interval", "-3"), QStringLiteral("1,5"));
    EXPECT_EQ(seen, QStringList({"New interval", "a = ", "-3"}));

    AnswerWhenShown(seen, std::nullopt);
    EXPECT_EQ(AskText(nullptr, "hiq=", "Another precision", "100"), std::nullopt);
    EXPECT_EQ(seen, QStringList({"Another precision", "hiq=", "100"}));
}

} // namespace
} // namespace zv
