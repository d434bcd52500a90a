#include "ui/toolcontrols.h"

#include "ui/designfont.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zv {

namespace {

constexpr int kFieldWidth = 129;
constexpr QSize kButtonSize(65, 25);

} // namespace

QLabel *CaptionLabel(const QString &name, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setFont(DesignFont(QStringLiteral("Arial"), 9.75));
    return label;
}

QLineEdit *ExpressionBox(const QString &name, const QString &tip, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setToolTip(tip);
    // The tip follows a long text; the description stays.
    field->setAccessibleDescription(tip);
    field->setFont(DesignFont(QStringLiteral("Tahoma"), 8.25));
    field->setFixedWidth(kFieldWidth);
    return field;
}

QPushButton *CommandButton(const QString &name, const QString &caption, const QString &description,
                           QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleDescription(description);
    button->setFont(DesignFont(QStringLiteral("Tahoma"), 8.25));
    button->setMinimumSize(kButtonSize);
    return button;
}

void LabelField(QLabel *caption, QLineEdit *field)
{
    caption->setBuddy(field);
    field->setAccessibleName(caption->text().remove(QLatin1Char('=')).simplified());
}

} // namespace zv
