#include "ui/errorlabel.h"

#include "ui/designfont.h"
#include "ui/messagetextq.h"

namespace zv {

namespace {

constexpr int kTextError = 9; // "Error"
constexpr int kLines = 2;

} // namespace

ErrorLabel::ErrorLabel(const QString &name, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(name);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFont(DesignFont(QStringLiteral("Arial"), 9.75));
    setToolTip(MessageTextQ(kTextError));
    // The theme recolours the window text of "lbl" controls; this label draws with the field
    // roles instead.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    setMargin(2);
    setMinimumHeight(kLines * fontMetrics().lineSpacing() + 2 * margin());
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    hide();
}

void ErrorLabel::Show(bool shown, const QString &text)
{
    if (shown)
        setText(text);
    setVisible(shown);
}

} // namespace zv
