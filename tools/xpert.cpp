#include "tools/xpert.h"

#include "tools/wizardchecks.h"
#include "ui/designfont.h"
#include "ui/entryfield.h"
#include "ui/helprequest.h"
#include "ui/linklabel.h"
#include "ui/messagebox.h"
#include "ui/messagetextq.h"
#include "ui/themefollower.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

// The wizard's picture is compiled into this library; a static library has to ask for it.
static void InitToolsResources()
{
    Q_INIT_RESOURCE(tools);
}

namespace zv {

namespace {

constexpr int kTextConfirmation = 2; // "Confirmation"
constexpr int kTextStep = 41;        // "Zerovane Wizard - Step "
constexpr int kTextOf = 42;          // " of "
constexpr int kTextExitWizard = 43;  // "Are you sure you want to exit the wizard ?"

constexpr QSize kInnerSize(479, 361);
constexpr QSize kImageSize(100, 300);

// lblStep (0) to (5), by index.
const char *const kStepTexts[] = {
    "This wizard will help you solve an equation like f(x)=0 on an interval.",
    "Before pressing Finished, make sure you have entered everything the way you should.",
    "Enter the equation. In case you made a mistake, an error message will advise you what to "
    "do.",
    "Enter the interval for the equation. The bounds can be real numbers or valid constant "
    "expressions. For further details, press Help.",
    "The program will show you the graph of the equation, the roots found numerically and will "
    "allow you to export these pieces of information.",
    "You can choose a sample equation from the Help/Examples menu. To find out more, press "
    "Ctrl-F1.",
};

QLabel *StepLabel(int index, QWidget *parent)
{
    auto *label = new QLabel(QString::fromLatin1(kStepTexts[index]), parent);
    label->setObjectName(QStringLiteral("lblStep%1").arg(index));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(DesignFont(QStringLiteral("Arial"), 9.75));
    return label;
}

// The labels "a=", "b=", "= 0" stand beside the fields in the fields' font.
QLabel *FieldLabel(const char *name, const char *text, QWidget *parent)
{
    auto *label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(DesignFont(QStringLiteral("Tahoma"), 12));
    return label;
}

// A field, named for assistive tools, with its page's instruction as its description.
QLineEdit *WizardField(const char *name, const char *accessibleName, int step, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setAccessibleName(QString::fromLatin1(accessibleName));
    field->setAccessibleDescription(QString::fromLatin1(kStepTexts[step]));
    field->setFont(DesignFont(QStringLiteral("Tahoma"), 12));
    return field;
}

// An error label of a page: hidden at start, two lines, keeping its place while hidden.
QLabel *PageErrorLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(DesignFont(QStringLiteral("Tahoma"), 9.75));
    label->setMinimumHeight(2 * label->fontMetrics().lineSpacing());
    QSizePolicy policy = label->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    label->setSizePolicy(policy);
    label->hide();
    return label;
}

LinkLabel *HelpLink(const char *name, const char *text, const char *tip, QWidget *parent)
{
    auto *link = new LinkLabel(QString::fromLatin1(text), parent);
    link->setObjectName(QString::fromLatin1(name));
    link->setToolTip(QString::fromLatin1(tip));
    link->setFont(DesignFont(QStringLiteral("MS Sans Serif"), 8.25));
    return link;
}

QPushButton *WizardButton(const char *name, const char *caption, const char *description,
                          QWidget *parent)
{
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleDescription(QString::fromLatin1(description));
    // Outside a dialog an automatic default would give up the default mark whenever the focus
    // leaves it; the wizard handles Enter itself.
    button->setAutoDefault(false);
    return button;
}

} // namespace

XPert::XPert(QWidget *parent)
    : QWidget(parent)
{
    InitToolsResources();
    setObjectName(QStringLiteral("XPert"));
    setWindowTitle(QStringLiteral("Zerovane Wizard"));
    BuildControls();
    InitPages();
}

void XPert::BuildControls()
{
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("Pages"));
    for (int page = kFirstPage; page <= kLastPage; ++page)
        m_pages->addWidget(BuildPage(page));

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(QPixmap(QStringLiteral(":/tools/wizard.png")));
    image->setFixedSize(kImageSize);

    auto *fraCmd = new QFrame(this);
    fraCmd->setObjectName(QStringLiteral("fra_cmd"));
    m_cmdCancel = WizardButton("cmdCancel", "&Cancel", "Leaves the wizard.", fraCmd);
    // The interval page sends the user to Help; it opens the page's own topic, as F1 does. Its
    // access letter is one that the main window's menu bar (Alt+H for Help) leaves free.
    QPushButton *cmdHelp = WizardButton("cmdHelp", "He&lp", "Opens the help on this step.", fraCmd);
    m_page[0] = WizardButton("Page0", "< &Back", "Goes back one step.", fraCmd);
    m_page[1] =
        WizardButton("Page1", "&Next >", "Checks this step and goes on to the next.", fraCmd);
    m_cmdFinish =
        WizardButton("cmdFinish", "&Finished",
                     "Opens a graph window for the equation and closes the wizard.", fraCmd);
    auto *buttons = new QHBoxLayout(fraCmd);
    buttons->setContentsMargins(12, 8, 12, 12);
    buttons->setSpacing(8);
    buttons->addWidget(m_cmdCancel);
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    for (QPushButton *button : {m_page[0], m_page[1], m_cmdFinish})
        buttons->addWidget(button);

    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(m_pages, 1);
    top->addWidget(image, 0, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top, 1);
    layout->addWidget(fraCmd);
    setFixedSize(kInnerSize);

    connect(m_page[0], &QPushButton::clicked, this, [this] { Page_Click(0); });
    connect(m_page[1], &QPushButton::clicked, this, [this] { Page_Click(1); });
    connect(m_cmdFinish, &QPushButton::clicked, this, &XPert::FinishWizard);
    connect(m_cmdCancel, &QPushButton::clicked, this, &XPert::CancelWizard);
    connect(cmdHelp, &QPushButton::clicked, this,
            [this] { ShowHelpTopic(this, HelpTopicOf(this)); });

    // The equation field has no selection rule of its own.
    EntryField::Attach(m_txtFx).Hides(m_lblEroare).KeepSelectionOnFocus();
    EntryField::Attach(m_txtA).Hides(m_lblEroare2);
    EntryField::Attach(m_txtB).Hides(m_lblEroare2);
}

QWidget *XPert::BuildPage(int page)
{
    auto *frame = new QFrame;
    frame->setObjectName(QStringLiteral("fraWizard%1").arg(page));
    frame->setFrameShape(QFrame::NoFrame);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(16, 16, 16, 8);
    layout->setSpacing(12);

    switch (page) {
    case 0:
        for (int step : {0, 5, 4})
            layout->addWidget(StepLabel(step, frame));
        break;
    case 1: {
        layout->addWidget(StepLabel(2, frame));
        m_txtFx = WizardField("Txt_fx", "f(x)", 2, frame);
        auto *row = new QHBoxLayout;
        row->addWidget(m_txtFx, 1);
        row->addWidget(FieldLabel("lbl_egal", "= 0", frame));
        layout->addLayout(row);
        m_lblEroare = PageErrorLabel("Lbleroare", frame);
        layout->addWidget(m_lblEroare);
        LinkLabel *help = HelpLink("Lbl_help1", "Information about the syntax of the expression.",
                                   "Click here to find out more.", frame);
        connect(help, &LinkLabel::clicked, this,
                [this] { ShowHelpTopic(this, QStringLiteral("expresie.html")); });
        layout->addWidget(help, 0, Qt::AlignLeft);
        break;
    }
    case 2: {
        layout->addWidget(StepLabel(3, frame));
        m_txtA = WizardField("Txt_a", "a", 3, frame);
        m_txtB = WizardField("Txt_b", "b", 3, frame);
        auto *bounds = new QGridLayout;
        QLabel *lblA = FieldLabel("lbl_a", "a=", frame);
        QLabel *lblB = FieldLabel("lbl_b", "b=", frame);
        lblA->setBuddy(m_txtA);
        lblB->setBuddy(m_txtB);
        bounds->addWidget(lblA, 0, 0);
        bounds->addWidget(m_txtA, 0, 1);
        bounds->addWidget(lblB, 1, 0);
        bounds->addWidget(m_txtB, 1, 1);
        layout->addLayout(bounds);
        m_lblEroare2 = PageErrorLabel("Lbleroare2", frame);
        layout->addWidget(m_lblEroare2);
        break;
    }
    default: {
        layout->addWidget(StepLabel(1, frame));
        m_lblDer = new QLabel(QStringLiteral("As your equation contains undifferentiable "
                                             "functions, is it very likely that the results "
                                             "provided by Zerovane are inaccurate."),
                              frame);
        m_lblDer->setObjectName(QStringLiteral("lbl_Der"));
        m_lblDer->setTextFormat(Qt::PlainText);
        m_lblDer->setWordWrap(true);
        m_lblDer->setFont(DesignFont(QStringLiteral("Arial"), 9.75));
        m_lblDer->hide();
        layout->addWidget(m_lblDer);
        LinkLabel *help =
            HelpLink("Lbl_help2", "Knowledge base", "Click here for further details.", frame);
        connect(help, &LinkLabel::clicked, this,
                [this] { ShowHelpTopic(this, QStringLiteral("index_metode.html")); });
        layout->addWidget(help, 0, Qt::AlignLeft);
        break;
    }
    }
    layout->addStretch(1);
    return frame;
}

void XPert::SetColours(const ThemeColours &colours)
{
    FollowTheme(this, colours);
}

void XPert::InitPages()
{
    m_atLastPage = false;
    m_currentPage = kFirstPage;
    ShowPage(m_currentPage);
}

void XPert::ShowPage(int page)
{
    if (page < kFirstPage || page > kLastPage)
        return;
    m_currentPage = page;
    m_page[0]->setEnabled(page != kFirstPage);
    m_atLastPage = page == kLastPage;
    m_page[1]->setEnabled(!m_atLastPage);
    m_page[1]->setDefault(!m_atLastPage);
    m_cmdFinish->setEnabled(m_atLastPage);
    m_cmdFinish->setDefault(m_atLastPage);

    m_pages->setCurrentIndex(page);
    // F1 and Help open the topic of the page on view.
    SetHelpTopic(this, QStringLiteral("wizard.html#step%1").arg(page - kFirstPage + 1));
    if (page == 1) {
        m_txtFx->setFocus(Qt::OtherFocusReason);
    } else if (page == 2) {
        m_txtA->setFocus(Qt::OtherFocusReason);
    } else {
        // Pages without fields keep the focus on the default button, so that Enter and Escape
        // reach the wizard and the focus never rests on a hidden field.
        DefaultButton()->setFocus(Qt::OtherFocusReason);
    }
    if (page == kLastPage)
        m_lblDer->setVisible(UsesUndifferentiableFunction(m_txtFx->text().toStdU16String()));
    setWindowTitle(MessageTextQ(kTextStep) + QString::number(page - kFirstPage + 1) +
                   MessageTextQ(kTextOf) + QString::number(kLastPage - kFirstPage + 1));
}

bool XPert::CheckPage(int page)
{
    if (page == 1) {
        const EquationCheck check = CheckEquation(m_txtFx->text().toStdU16String());
        if (!check.passed) {
            m_lblEroare->setText(QString::fromStdString(check.errorText));
            m_lblEroare->show();
            FocusWithCaret(m_txtFx, check.caret);
            return true;
        }
        m_equation.function = QString::fromStdU16String(check.translated);
    } else if (page == 2) {
        const IntervalCheck check =
            CheckInterval(m_txtA->text().toStdU16String(), m_txtB->text().toStdU16String());
        if (!check.passed) {
            m_lblEroare2->setText(QString::fromStdString(check.errorText));
            m_lblEroare2->show();
            FocusWithCaret(check.focus == IntervalCheck::kBoundA ? m_txtA : m_txtB, check.caret);
            return true;
        }
        m_equation.a = check.a;
        m_equation.b = check.b;
    }
    return false;
}

void XPert::Page_Click(int index)
{
    if (index == 1) {
        if (!CheckPage(m_currentPage))
            ShowPage(m_currentPage + 1);
    } else {
        ShowPage(m_currentPage - 1);
    }
}

void XPert::FinishWizard()
{
    // Page 3 is on view only when both checks passed as their pages were last left, so
    // m_equation holds what the user sees; PendingGraph may meanwhile belong to another opener.
    emit finished(m_equation);
    CloseWithoutQuestion();
}

bool XPert::AskToExit()
{
    return ShowMessage(this, MessageTextQ(kTextExitWizard), MessageTextQ(kTextConfirmation),
                       MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes;
}

void XPert::CancelWizard()
{
    if (AskToExit())
        CloseWithoutQuestion();
}

void XPert::CloseWithoutQuestion()
{
    m_closingQuietly = true;
    // Inside a document area the frame closes, and with it the wizard.
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    const bool closed = frame != nullptr ? frame->close() : close();
    if (!closed)
        m_closingQuietly = false;
}

void XPert::closeEvent(QCloseEvent *event)
{
    if (m_closingQuietly || AskToExit())
        event->accept();
    else
        event->ignore();
}

QPushButton *XPert::DefaultButton() const
{
    return m_atLastPage ? m_cmdFinish : m_page[1];
}

void XPert::keyPressEvent(QKeyEvent *event)
{
    // A dialog's keys, for a window that lives inside the main window: Escape cancels, Enter
    // presses the button that has the focus, or else the default button.
    switch (event->key()) {
    case Qt::Key_Escape:
        CancelWizard();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        auto *button = qobject_cast<QPushButton *>(focusWidget());
        if (button == nullptr || !isAncestorOf(button))
            button = DefaultButton();
        if (button->isEnabled())
            button->click();
        return;
    }
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace zv
