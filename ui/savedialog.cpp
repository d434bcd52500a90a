#include "ui/savedialog.h"

#include "export/savedialogrequest.h"
#include "ui/filedialog.h"

#include <QFileInfo>
#include <QStringList>

#include <string>

namespace zv {

namespace {

QString FromBytes(const std::string &text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The pairs of a dialog filter in Qt's form. A pair without a pattern keeps its description as
// it stands, and Qt lists the files its brackets name, if any ("JPEG Files (*.JPG)").
QString QtFilterOf(const std::string &sentFilter, int &pairs)
{
    QStringList entries;
    pairs = 0;
    for (std::string pair; !(pair = FilterEntry(sentFilter, pairs + 1)).empty(); ++pairs) {
        const size_t nul = pair.find('\0');
        const QString description = FromBytes(pair.substr(0, nul)).trimmed();
        const QString pattern =
            nul == std::string::npos ? QString() : FromBytes(pair.substr(nul + 1)).trimmed();
        if (pattern.isEmpty() || description.contains(QLatin1Char('(') + pattern))
            entries << description;
        else
            entries << description + QStringLiteral(" (") +
                           QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                           QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace

bool ShowSaveDialog(QString &fileName, QString &fileTitle, bool askOverwrite, QString &filter,
                    int &filterIndex, const QString &initialFolder, const QString &title,
                    const QString &defaultExtension, QWidget *owner, int &flags)
{
    const int sentFlags = SaveDialogFlags(askOverwrite, flags);
    const std::string sentFilter = DialogFilter(filter.toStdString());
    int pairs = 0;

    FileDialogRequest request;
    request.mode = FileDialogMode::Save;
    request.title = title;
    request.filter = QtFilterOf(sentFilter, pairs);
    request.defaultSuffix = defaultExtension;
    request.folder = initialFolder;
    request.fileName = FromBytes(TrimAtNul(fileName.toStdString()));
    request.confirmOverwrite = (sentFlags & kSaveFlagConfirmOverwrite) != 0;

    // The name ends at a NUL, as the dialog's buffer would; it stays a QString on the way, so
    // that a name that is not UTF-8 keeps its bytes (see PathBytes).
    const QString answer = ChooseFile(owner, request);
    const QString chosen = answer.left(answer.indexOf(QChar()));
    if (chosen.isEmpty()) {
        fileName.clear();
        fileTitle.clear();
        filter.clear();
        filterIndex = 0;
        flags = 0;
        return false;
    }
    fileName = chosen;
    fileTitle = QFileInfo(chosen).fileName();
    flags = sentFlags;
    // The dialog shows the pairs in their order; a request beyond them falls back to the first.
    if (filterIndex < 1 || filterIndex > pairs)
        filterIndex = 1;
    filter = FromBytes(FilterEntry(sentFilter, filterIndex));
    return true;
}

} // namespace zv
