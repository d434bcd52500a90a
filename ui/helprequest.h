#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zv {

// How a window asks for help without knowing the help viewer: the program installs a handler
// at start; without one (or without a help file) a request does nothing visible.
using HelpTopicHandler = std::function<void(QWidget *window, const QString &topic)>;
void SetHelpTopicHandler(HelpTopicHandler handler);

// Opens the help file at topic (a page name such as "mg.html") beside window.
void ShowHelpTopic(QWidget *window, const QString &topic);

} // namespace zv
