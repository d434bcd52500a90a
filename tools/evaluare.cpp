#include "tools/evaluare.h"

#include "tools/evaluation.h"
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

constexpr int kTextPointHint = 13;    // "X-Point"
constexpr int kTextFunctionHint = 15; // "Enter the function to evaluate. For details, ..."

constexpr QSize kInnerSize(318, 253);

} // namespace

Evaluare::Evaluare(const QString &functionText, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Evaluare"));
    setWindowTitle(QStringLiteral("Evaluate"));
    SetHelpTopic(this, QStringLiteral("eval.htm"));
    BuildControls();
    // The load fills the function field as any change does: its hint follows the text.
    m_txtF->setText(functionText);
}

void Evaluare::BuildControls()
{
    m_txtF = ExpressionBox(QStringLiteral("txt_f"), MessageTextQ(kTextFunctionHint), this);
    m_txtX = ExpressionBox(QStringLiteral("Txt_X"), MessageTextQ(kTextPointHint), this);
    m_txtVal =
        ExpressionBox(QStringLiteral("Txt_Val"), QStringLiteral("Value of the function"), this);
    m_txtDer =
        ExpressionBox(QStringLiteral("Txt_Der"), QStringLiteral("Value of the derivative"), this);

    QPushButton *cmdCalcul =
        CommandButton(QStringLiteral("Cmd_calcul"), QStringLiteral("&Calculate"),
                      QStringLiteral("Computes f(x) and f '(x) at the point x."), this);
    cmdCalcul->setDefault(true);
    QPushButton *cmdClear = CommandButton(QStringLiteral("Cmd_clear"), QStringLiteral("&Reset"),
                                          QStringLiteral("Empties the four fields."), this);
    QPushButton *cmdExit = CommandButton(QStringLiteral("Cmd_Exit"), QStringLiteral("&Exit"),
                                         QStringLiteral("Closes the window."), this);
    QPushButton *cmdHelp = CommandButton(QStringLiteral("Cmd_Help"), QStringLiteral("&Help"),
                                         QStringLiteral("Opens the help on this window."), this);

    auto *help =
        new LinkLabel(QStringLiteral("Information about the syntax of an expression"), this);
    help->setObjectName(QStringLiteral("Lbl_help1"));
    help->setToolTip(QStringLiteral("And what's this all about ?"));
    help->setFont(DesignFont(QStringLiteral("MS Sans Serif"), 8.25));

    m_lblEroare = new ErrorLabel(QStringLiteral("lblEroare"), this);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    const struct
    {
        QLabel *caption;
        QLineEdit *field;
        QPushButton *button;
    } rows[] = {
        {CaptionLabel(QStringLiteral("Lbl_f"), QStringLiteral("f   ="), this), m_txtF, cmdCalcul},
        {CaptionLabel(QStringLiteral("Lbl_x"), QStringLiteral("x  = "), this), m_txtX, cmdClear},
        {CaptionLabel(QStringLiteral("Lbl_fx"), QStringLiteral("f(x) ="), this), m_txtVal, cmdExit},
        {CaptionLabel(QStringLiteral("Lbl_der"), QStringLiteral("f '(x)="), this), m_txtDer,
         cmdHelp},
    };
    int row = 0;
    for (const auto &r : rows) {
        LabelField(r.caption, r.field);
        grid->addWidget(r.caption, row, 0);
        grid->addWidget(r.field, row, 1);
        grid->addWidget(r.button, row, 2);
        ++row;
    }
    grid->addWidget(help, row++, 0, 1, 3);
    grid->addWidget(m_lblEroare, row, 0, 1, 3);
    // Room beyond what the controls need goes between the captions and the fields, and below.
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(row + 1, 1);
    setFixedSize(sizeHint().expandedTo(kInnerSize));

    setTabOrder(m_txtF, m_txtX);
    setTabOrder(m_txtX, m_txtVal);
    setTabOrder(m_txtVal, m_txtDer);
    setTabOrder(m_txtDer, cmdCalcul);
    setTabOrder(cmdCalcul, cmdClear);
    setTabOrder(cmdClear, cmdExit);
    setTabOrder(cmdExit, cmdHelp);
    setTabOrder(cmdHelp, help);

    const auto calculate = [this] { Cmd_calcul_Click(); };
    EntryField::Attach(m_txtF)
        .Hint(m_txtF->toolTip())
        .OnEnter(FocusEmptyFieldElse(m_txtX, calculate));
    EntryField::Attach(m_txtX)
        .Hint(m_txtX->toolTip())
        .Clears({m_txtVal, m_txtDer})
        .OnEnter(calculate);
    EntryField::Attach(m_txtVal).AsResult().OnEnter(calculate);
    EntryField::Attach(m_txtDer).AsResult();

    connect(cmdCalcul, &QPushButton::clicked, this, &Evaluare::Cmd_calcul_Click);
    connect(cmdClear, &QPushButton::clicked, this, &Evaluare::Cmd_clear_Click);
    connect(cmdExit, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp, &QPushButton::clicked, this,
            [this] { ShowHelpTopic(this, QStringLiteral("eval.htm")); });
    connect(help, &LinkLabel::clicked, this,
            [this] { ShowHelpTopic(this, QStringLiteral("expresie.html")); });
}

void Evaluare::SetColours(const ThemeColours &colours)
{
    FollowTheme(this, colours);
}

void Evaluare::Cmd_calcul_Click()
{
    const EvaluationOutcome outcome = EvaluateAtPoint(
        m_txtF->text().toStdU16String(), m_txtX->text().toStdU16String(), DecimalSeparator());
    m_lblEroare->Show(outcome.errorShown, QString::fromStdString(outcome.errorText));
    if (outcome.pointHint)
        m_txtX->setToolTip(QString::fromStdU16String(*outcome.pointHint));
    m_txtVal->setText(QString::fromStdU16String(outcome.valueText));
    if (outcome.derivativeText)
        m_txtDer->setText(QString::fromStdU16String(*outcome.derivativeText));

    QLineEdit *field = nullptr;
    if (outcome.focus == EvaluationOutcome::kFocusFunction)
        field = m_txtF;
    else if (outcome.focus == EvaluationOutcome::kFocusPoint)
        field = m_txtX;
    if (field != nullptr)
        FocusWithCaret(field, outcome.caret);
}

void Evaluare::Cmd_clear_Click()
{
    for (QLineEdit *field : {m_txtX, m_txtF, m_txtVal, m_txtDer})
        field->clear();
    m_txtF->setFocus(Qt::OtherFocusReason);
}

} // namespace zv
