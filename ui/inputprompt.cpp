#include "ui/inputprompt.h"

#include <QInputDialog>

namespace zv {

namespace {

PromptResponder &Responder()
{
    static PromptResponder responder;
    return responder;
}

} // namespace

void SetPromptResponder(PromptResponder responder)
{
    Responder() = std::move(responder);
}

std::optional<QString> AskText(QWidget *parent, const QString &prompt, const QString &title,
                               const QString &defaultText)
{
    if (Responder())
        return Responder()(PromptRequest{prompt, title, defaultText});

    QInputDialog box(parent);
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

} // namespace zv
