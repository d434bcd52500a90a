#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace zv {

struct PromptRequest
{
    QString prompt;
    QString title;
    QString defaultText;
};

// Answers prompt boxes in place of the user (tests): the text typed, or nothing for Cancel.
// An empty responder restores the real box.
using PromptResponder = std::function<std::optional<QString>(const PromptRequest &)>;
void SetPromptResponder(PromptResponder responder);

// A modal box over parent that asks for one line of text, showing defaultText to start with.
// Returns the text as confirmed, or nothing when the user cancelled.
std::optional<QString> AskText(QWidget *parent, const QString &prompt, const QString &title,
                               const QString &defaultText);

} // namespace zv
