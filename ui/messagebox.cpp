#include "ui/messagebox.h"

#include <QMessageBox>

namespace zv {

namespace {

MessageResponder &Responder()
{
    static MessageResponder responder;
    return responder;
}

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void SetMessageResponder(MessageResponder responder)
{
    Responder() = std::move(responder);
}

MessageAnswer ShowMessage(QWidget *parent, const QString &prompt, const QString &title,
                          MessageIcon icon, MessageButtons buttons)
{
    if (Responder())
        return Responder()(MessageRequest{prompt, title, icon, buttons});

    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(BoxIcon(icon), title, prompt,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    if (yesNo) {
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    }
    const int pressed = box.exec();
    if (!yesNo)
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

} // namespace zv
