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

bool CheckHelpFile(const QString &folder, QWidget *parent)
{
    const QString path = QDir(folder).filePath(QStringLiteral("Readme.chm"));
    // Opened as the viewer will open it: a pipe or device in its place counts as missing.
    QByteArray nothing;
    if (!ReadRegularFile(path, 0, nothing).isEmpty()) {
        HelpFilePath().clear();
        ShowMessage(parent, MessageTextQ(8), MessageTextQ(9), MessageIcon::Critical);
        return false;
    }
    HelpFilePath() = path;
    return true;
}

bool SetUpHelp(MainWindow &main, const QString &folder)
{
    if (!CheckHelpFile(folder)) {
        SetHelpTopicHandler(nullptr);
        return false;
    }
    auto *viewer = new HelpViewer(HelpFilePath(), &main);
    main.SetHelpViewer(viewer);
    const QString windowName = QString::fromLatin1(kHelpWindowName);
    SetHelpTopicHandler(
        [viewer = QPointer<HelpViewer>(viewer), windowName](QWidget *window, const QString &topic) {
            if (viewer)
                viewer->ShowHelpTopic(windowName, topic, window);
        });
    return true;
}

} // namespace zv
