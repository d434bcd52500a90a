#include "ui/filedialog.h"

#include "ui/systempath.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <QStringList>

#include <utility>

namespace zv {

namespace {

FileDialogResponder &Responder()
{
    static FileDialogResponder responder;
    return responder;
}

QString RunDialog(QWidget *parent, const FileDialogRequest &request)
{
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    const bool saving = request.mode == FileDialogMode::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // A name typed without an extension takes the one of the type chosen in the list.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString &type) {
                         const QRegularExpressionMatch pattern =
                             QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(type);
                         if (pattern.hasMatch())
                             dialog.setDefaultSuffix(pattern.captured(1));
                     });
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

void SetFileDialogResponder(FileDialogResponder responder)
{
    Responder() = std::move(responder);
}

QString ChooseFile(QWidget *parent, const FileDialogRequest &request)
{
    // The dialog (and a responder standing in for it) names the file as Qt shows it.
    return PathOnDisk(Responder() ? Responder()(request) : RunDialog(parent, request));
}

QString QtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        if (i + 1 >= parts.size()) {
            entries << description;
            break;
        }
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.contains(QLatin1Char('(') + pattern + QLatin1Char(')')))
            entries << description;
        else
            entries << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace zv
