#include "shell/aboutwindow.h"

#include "texts/version.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

// The logo lives in a resource file of a static library, which the linker keeps only when it is
// asked for by name.
static void InitLogoResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(export);
        return true;
    }();
    (void)done;
}

namespace zv {

namespace {

constexpr int kLogoSize = 96;
constexpr int kWindowWidth = 219; // the about box's fixed width, in pixels
constexpr double kLabelPointSize = 9.75;

QPixmap Logo()
{
    InitLogoResources();
    return ProgramIcon().pixmap(kLogoSize, kLogoSize);
}

} // namespace

QIcon ProgramIcon()
{
    InitLogoResources();
    return QIcon(QStringLiteral(":/export/zerovane-logo.png"));
}

QString AboutText()
{
    return QStringLiteral("Zerovane %1.%2\nMade by the Zerovane authors\n2003")
        .arg(kVersionMajor)
        .arg(kVersionMinor);
}

AboutWindow::AboutWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Despre"));
    setWindowTitle(QStringLiteral("About Zerovane"));
    // The desktop's window background, as behind a document's text.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgabout"));
    logo->setPixmap(Logo());
    logo->setAlignment(Qt::AlignCenter);

    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line2"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *label = new QLabel(this);
    label->setObjectName(QStringLiteral("Lbl_about"));
    label->setTextFormat(Qt::PlainText);
    label->setText(AboutText());
    // The text that goes with the window's ground, whatever colours a theme gives labels.
    label->setForegroundRole(QPalette::Text);
    QFont bold = label->font();
    bold.setBold(true);
    bold.setPointSizeF(kLabelPointSize);
    label->setFont(bold);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 20, 16, 20);
    layout->setSpacing(14);
    layout->addWidget(logo);
    layout->addWidget(line);
    layout->addWidget(label);
    setMinimumWidth(kWindowWidth);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace zv
