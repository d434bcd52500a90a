#include "ui/helprequest.h"

#include <utility>

namespace zv {

namespace {

HelpTopicHandler &Handler()
{
    static HelpTopicHandler handler;
    return handler;
}

} // namespace

void SetHelpTopicHandler(HelpTopicHandler handler)
{
    Handler() = std::move(handler);
}

void ShowHelpTopic(QWidget *window, const QString &topic)
{
    if (Handler())
        Handler()(window, topic);
}

} // namespace zv
