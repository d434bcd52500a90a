#include "ui/helprequest.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>
#include <utility>

namespace zv {

namespace {

const char *const kTopicProperty = "zvHelpTopic";

HelpTopicHandler &Handler()
{
    static HelpTopicHandler handler;
    return handler;
}

// F1, wherever the focus is: the application sees the key before any window does.
class HelpKey : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        // The key goes to the control with the focus first.
        auto *focus = static_cast<QWidget *>(watched);
        ShowHelpTopic(focus->window(), HelpTopicOf(focus));
        return true; // handled once, not again for each parent the key would travel to
    }
};

} // namespace

void SetHelpTopicHandler(HelpTopicHandler handler)
{
    Handler() = std::move(handler);
    static HelpKey *key = nullptr;
    if (key == nullptr && qApp != nullptr) {
        key = new HelpKey;
        key->setParent(qApp);
        qApp->installEventFilter(key);
    }
}

void ShowHelpTopic(QWidget *window, const QString &topic)
{
    if (Handler())
        Handler()(window, topic);
}

void SetHelpTopic(QWidget *window, const QString &topic)
{
    window->setProperty(kTopicProperty, topic);
}

QString HelpTopicOf(const QWidget *widget)
{
    for (; widget != nullptr; widget = widget->parentWidget()) {
        const QVariant topic = widget->property(kTopicProperty);
        if (topic.isValid())
            return topic.toString();
    }
    return {};
}

} // namespace zv
