#include "shell/mainwindow.h"
#include "shell/pendinggraph.h"
#include "texts/messagetexts.h"

#include "tests/support/messagerecorder.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace zv {
namespace {

// Drags the files over the main window's document area and drops them there; returns whether
// the window took the drag (otherwise the platform shows its forbidden cursor).
bool Drop(MainWindow &main, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QWidget *target = main.mdiArea()->viewport();
    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

TEST(DropProjects, OpenAsOpenWouldAndAnythingElseIsRefused)
{
    FillMessageTexts();
    QTemporaryDir dir;
    const auto write = [&dir](const char *name, const QByteArray &content) {
        QFile file(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    };
    const QString first = write("one.zvn", "\"Zerovane\"\r\n\"x^2-4\"\r\n\"-3\"\r\n\" 3\"\r\n");
    const QString second = write("two.ZVN", "\"Zerovane\"\r\n\"x-1\"\r\n\" 0\"\r\n\" 2\"\r\n");
    const QString bad = write("bad.zvn", "\"Zerovane\"\r\n\"x+\"\r\n\" 0\"\r\n\" 2\"\r\n");
    const QString text = write("notes.txt", "\"Zerovane\"\r\n\"x\"\r\n\" 0\"\r\n\" 2\"\r\n");

    test::Recorder recorder;
    MainWindow main;
    main.show();
    const auto windows = [&main] { return main.mdiArea()->subWindowList().size(); };

    const struct
    {
        const char *name;
        QStringList paths;
        bool taken;
        qsizetype windowsAfter;
        qsizetype boxesAfter;
    } rows[] = {
        {"two projects", {first, second}, true, 2, 0},
        {"a project the reader rejects", {bad}, true, 2, 1},
        {"a text file", {text}, false, 2, 1},
        {"a project with a text file", {first, text}, false, 2, 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Drop(main, row.paths), row.taken);
        EXPECT_EQ(windows(), row.windowsAfter);
        EXPECT_EQ(recorder.messages.size(), row.boxesAfter);
    }
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].prompt, QString::fromStdString(MessageText(6)));
    const QList<QMdiSubWindow *> opened = main.mdiArea()->subWindowList();
    EXPECT_TRUE(opened[0]->widget()->windowTitle().startsWith(QStringLiteral("Zerovane #")));

    recorder.answer = MessageAnswer::Yes;
    main.close();
}

} // namespace
} // namespace zv
