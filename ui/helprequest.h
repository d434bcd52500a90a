#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zv {

// How a window asks for help without knowing the help viewer: the program installs a handler
// at start; without one (or without a help file) a request does nothing visible.
using HelpTopicHandler = std::function<void(QWidget *window, const QString &topic)>;
// Also makes F1 open the help topic of the window that has the focus (SetHelpTopic).
void SetHelpTopicHandler(HelpTopicHandler handler);

// Opens the help file at topic (a page name such as "mg.html") beside window; an empty topic
// opens the help's contents.
void ShowHelpTopic(QWidget *window, const QString &topic);

// The topic that F1 opens while the focus is in window (or in a control or dialog of it): a
// graph window joins with SetHelpTopic(this, "mg.html"). Setting it again replaces it.
void SetHelpTopic(QWidget *window, const QString &topic);
// The topic of the nearest widget from widget up its parents that has one; empty for none,
// for which F1 opens the contents.
QString HelpTopicOf(const QWidget *widget);

} // namespace zv
