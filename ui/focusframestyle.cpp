#include "ui/focusframestyle.h"

#include "ui/themepalette.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace zv {

namespace {

class FocusFrameStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    // Fusion shows a button's focus by its outline alone, as it shows the default button.
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element != CE_PushButton || !(option->state & State_HasFocus))
            return;
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        focus.rect = subElementRect(SE_PushButtonFocusRect, option, widget);
        drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (element != PE_FrameFocusRect) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        QColor colour =
            option->palette.color(widget ? widget->foregroundRole() : QPalette::WindowText);
        // A list's current item may stand on the selection's colour instead.
        const auto *focus = qstyleoption_cast<const QStyleOptionFocusRect *>(option);
        if (focus && focus->backgroundColor.isValid() &&
            ContrastRatio(colour, focus->backgroundColor) < kMarkContrast) {
            colour = ContrastRatio(focus->backgroundColor, Qt::black) >=
                             ContrastRatio(focus->backgroundColor, Qt::white)
                         ? QColor(Qt::black)
                         : QColor(Qt::white);
        }
        painter->save();
        painter->setPen(QPen(colour, 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

} // namespace

void ShowFocusClearly()
{
    if (dynamic_cast<FocusFrameStyle *>(QApplication::style()) != nullptr)
        return;
    // A base of its own: the application deletes the style it replaces.
    QApplication::setStyle(
        new FocusFrameStyle(QStyleFactory::create(QApplication::style()->name())));
}

} // namespace zv
