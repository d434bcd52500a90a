#include "shell/helpfile.h"

#include "ui/messagebox.h"
#include "ui/messagetextq.h"

#include <QDir>
#include <QFileInfo>

namespace zv {

QString &HelpFilePath()
{
    static QString path;
    return path;
}

bool CheckHelpFile(const QString &folder, QWidget *parent)
{
    const QString path = QDir(folder).filePath(QStringLiteral("Readme.chm"));
    if (!QFileInfo(path).isFile()) {
        HelpFilePath().clear();
        ShowMessage(parent, MessageTextQ(8), MessageTextQ(9), MessageIcon::Critical);
        return false;
    }
    HelpFilePath() = path;
    return true;
}

} // namespace zv
