#pragma once

#include "ui/filedialog.h"
#include "ui/messagebox.h"

#include <QList>
#include <QStringList>
#include <ostream>

// Readable failure output for Qt strings.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace zv::test {

// Answers every message box and file dialog while it lives, and keeps what was asked.
class Recorder
{
public:
    Recorder()
    {
        SetMessageResponder([this](const MessageRequest &request) {
            messages.append(request);
            return request.buttons == MessageButtons::YesNo ? answer : MessageAnswer::Ok;
        });
        SetFileDialogResponder([this](const FileDialogRequest &request) {
            dialogs.append(request);
            return chosenFile;
        });
    }
    ~Recorder()
    {
        SetMessageResponder(nullptr);
        SetFileDialogResponder(nullptr);
    }
    Recorder(const Recorder &) = delete;
    Recorder &operator=(const Recorder &) = delete;

    // Each box as "prompt|title|icon" with the icon as "", "stop", "?", "!" or "i", and "|yes/no"
    // after Yes/No boxes.
    QStringList Boxes() const
    {
        static const char *const icons[] = {"", "stop", "?", "!", "i"};
        QStringList boxes;
        for (const MessageRequest &box : messages) {
            boxes << box.prompt + '|' + box.title + '|' + icons[static_cast<int>(box.icon)] +
                         (box.buttons == MessageButtons::YesNo ? "|yes/no" : "");
        }
        return boxes;
    }

    MessageAnswer answer = MessageAnswer::No; // for Yes/No boxes
    QString chosenFile;                       // what every file dialog returns
    QList<MessageRequest> messages;
    QList<FileDialogRequest> dialogs;
};

} // namespace zv::test
