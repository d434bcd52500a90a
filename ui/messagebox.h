#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zv {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

struct MessageRequest
{
    QString prompt;
    QString title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Answers message boxes in place of the user (tests). An empty responder restores the real box.
using MessageResponder = std::function<MessageAnswer(const MessageRequest &)>;
void SetMessageResponder(MessageResponder responder);

// Every message box of the shell goes through here: a modal box over parent, or the
// responder's answer when one is set. Ok buttons answer Ok; a Yes/No box closed any other way
// answers No.
MessageAnswer ShowMessage(QWidget *parent, const QString &prompt, const QString &title,
                          MessageIcon icon, MessageButtons buttons = MessageButtons::Ok);

} // namespace zv
