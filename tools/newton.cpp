#include "tools/newton.h"

#include "engine/numbertext.h"
#include "roots/newtonsearch.h"
#include "ui/decimalseparator.h"
#include "ui/designfont.h"
#include "ui/entryfield.h"
#include "ui/errorlabel.h"
#include "ui/helprequest.h"
#include "ui/linklabel.h"
#include "ui/messagetextq.h"
#include "ui/themefollower.h"
#include "ui/toolcontrols.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zv {

namespace {

constexpr int kTextFunctionHint = 18; // "Enter the function."
constexpr int kTextInitialHint = 19;  // "Initial value."
constexpr int kInitialValueDecimals = 6;
constexpr int kWidth = 318;

// The Newton window's input fields are white whatever the desktop's colours.
void PaintWhite(QLineEdit *field)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    field->setPalette(palette);
}

} // namespace

Newton::Newton(const QString &functionText, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Newton"));
    setWindowTitle(QStringLiteral("Approximate"));
    SetHelpTopic(this, QStringLiteral("aprox.html"));
    BuildControls();
    m_txtF->setText(functionText);
}

void Newton::BuildControls()
{
    m_txtF = ExpressionBox(QStringLiteral("txt_f"), MessageTextQ(kTextFunctionHint), this);
    m_txtX = ExpressionBox(QStringLiteral("Txt_X"), MessageTextQ(kTextInitialHint), this);
    m_txtVal = ExpressionBox(QStringLiteral("Txt_Val"), QStringLiteral("Found root"), this);
    // The found root, which the user cannot edit, looks read-only in the theme's colours.
    for (QLineEdit *field : {m_txtF, m_txtX})
        PaintWhite(field);

    QPushButton *cmdCalcul =
        CommandButton(QStringLiteral("Cmd_calcul"), QStringLiteral("&Find"),
                      QStringLiteral("Looks for a root of f by Newton's method from x0."), this);
    cmdCalcul->setDefault(true);
    QPushButton *cmdClear = CommandButton(QStringLiteral("Cmd_clear"), QStringLiteral("&Reset"),
                                          QStringLiteral("Empties the three fields."), this);
    QPushButton *cmdExit = CommandButton(QStringLiteral("Cmd_Exit"), QStringLiteral("&Exit"),
                                         QStringLiteral("Closes the window."), this);
    QPushButton *cmdHelp = CommandButton(QStringLiteral("Cmd_Help"), QStringLiteral("&Help"),
                                         QStringLiteral("Opens the help on this window."), this);

    auto *help = new LinkLabel(QStringLiteral("Details about the Newton method."), this);
    help->setObjectName(QStringLiteral("Lbl_help1"));
    help->setToolTip(
        QStringLiteral("Haven't you heard about it ? It's time to extend your knowledge."));
    help->setFont(DesignFont(QStringLiteral("MS Sans Serif"), 8.25));

    m_lblEroare = new ErrorLabel(QStringLiteral("lblEroare"), this);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    const struct
    {
        const char *name;
        const char *caption;
        QLineEdit *field;
        QPushButton *button;
    } rows[] = {{"Lbl_f", "f    =", m_txtF, cmdCalcul},
                {"Lbl_x0", "x0 = ", m_txtX, cmdClear},
                {"Lbl_x", "x  =", m_txtVal, cmdExit}};
    int row = 0;
    for (const auto &r : rows) {
        QLabel *caption = CaptionLabel(QLatin1String(r.name), QString::fromLatin1(r.caption), this);
        LabelField(caption, r.field);
        grid->addWidget(caption, row, 0);
        grid->addWidget(r.field, row, 1);
        grid->addWidget(r.button, row++, 2);
    }
    grid->addWidget(help, 3, 0, 1, 2, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(cmdHelp, 3, 2);
    grid->addWidget(m_lblEroare, 4, 0, 1, 3);
    // As wide as the Evaluate window; room beyond what the controls need goes between the
    // captions and the fields.
    grid->setColumnStretch(0, 1);
    setFixedSize(sizeHint().expandedTo(QSize(kWidth, 0)));

    setTabOrder(m_txtF, m_txtX);
    setTabOrder(m_txtX, m_txtVal);
    setTabOrder(m_txtVal, cmdCalcul);
    setTabOrder(cmdCalcul, cmdClear);
    setTabOrder(cmdClear, cmdExit);
    setTabOrder(cmdExit, cmdHelp);
    setTabOrder(cmdHelp, help);

    const auto search = [this] { Cmd_calcul_Click(); };
    EntryField::Attach(m_txtF).Hint(m_txtF->toolTip()).OnEnter(FocusEmptyFieldElse(m_txtX, search));
    EntryField::Attach(m_txtX).Hint(m_txtX->toolTip()).Clears({m_txtVal}).OnEnter(search);
    EntryField::Attach(m_txtVal).AsResult().OnEnter(search);

    connect(cmdCalcul, &QPushButton::clicked, this, &Newton::Cmd_calcul_Click);
    connect(cmdClear, &QPushButton::clicked, this, &Newton::Cmd_clear_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this,
            [this] { ShowHelpTopic(this, QStringLiteral("aprox.html")); });
    connect(help, &LinkLabel::clicked, this,
            [this] { ShowHelpTopic(this, QStringLiteral("newton.html")); });
}

void Newton::SetColours(const ThemeColours &colours)
{
    FollowTheme(this, colours);
}

void Newton::Aprox(const QString &f, double x0)
{
    const char16_t separator = DecimalSeparator();
    m_txtF->setText(f);
    // Written so that Find reads the same number back (the checker knows no exponent form).
    m_txtX->setText(
        QString::fromStdU16String(FormatRoundedPlain(x0, kInitialValueDecimals, separator)));
    Show(NewtonFromPoint(f.toStdU16String(), x0, separator));
}

void Newton::Cmd_calcul_Click()
{
    Show(NewtonSearch(m_txtF->text().toStdU16String(), m_txtX->text().toStdU16String(),
                      DecimalSeparator()));
}

void Newton::Show(const NewtonOutcome &outcome)
{
    m_lblEroare->Show(outcome.errorShown, QString::fromStdString(outcome.errorText));
    m_txtVal->setText(QString::fromStdU16String(outcome.valueText));

    QLineEdit *field = nullptr;
    if (outcome.focus == NewtonOutcome::kFocusFunction)
        field = m_txtF;
    else if (outcome.focus == NewtonOutcome::kFocusInitialValue)
        field = m_txtX;
    if (field != nullptr)
        FocusWithCaret(field, outcome.caret);
}

void Newton::Cmd_clear_Click()
{
    for (QLineEdit *field : {m_txtX, m_txtF, m_txtVal})
        field->clear();
    m_txtF->setFocus(Qt::OtherFocusReason);
}

} // namespace zv
