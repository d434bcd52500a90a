#include "shell/helpfile.h"

#include "helpviewer/helpviewer.h"
#include "shell/mainwindow.h"
#include "shell/regularfile.h"
#include "ui/helprequest.h"
#include "ui/messagebox.h"
#include "ui/messagetextq.h"

#include <QDir>
#include <QPointer>

namespace zv {

QString &HelpFilePath()
{
    static QString path;
    return path;
}

bool CheckHelpFile(const QString &programFolder, QWidget *parent)
{
    // The data folder is found from the program's, never by an absolute path, so that an
    // installed tree works wherever it is moved.
    const QDir program(programFolder);
    for (const QString &folder : {programFolder, program.filePath(ZV_DATA_FROM_PROGRAM)}) {
        const QString path = QDir::cleanPath(QDir(folder).filePath(QStringLiteral("Readme.chm")));
        // Opened as the viewer will open it: a pipe or device in its place counts as missing.
        QByteArray nothing;
        if (ReadRegularFile(path, 0, nothing).isEmpty()) {
            HelpFilePath() = path;
            return true;
        }
    }
    HelpFilePath().clear();
    ShowMessage(parent, MessageTextQ(8), MessageTextQ(9), MessageIcon::Critical);
    return false;
}

bool SetUpHelp(MainWindow &main, const QString &programFolder)
{
    if (!CheckHelpFile(programFolder)) {
        SetHelpTopicHandler(nullptr);
        return false;
    }
    auto *viewer = new HelpViewer(HelpFilePath(), &main);
    main.SetHelpViewer(viewer);
    const QString windowName = QString::fromLatin1(kHelpWindowName);
    SetHelpTopicHandler(
        [viewer = QPointer<HelpViewer>(viewer), windowName](QWidget *window, const QString &topic) {
            if (viewer && topic.isEmpty())
                viewer->ShowHelpContents(windowName, window);
            else if (viewer)
                viewer->ShowHelpTopic(windowName, topic, window);
        });
    return true;
}

} // namespace zv
