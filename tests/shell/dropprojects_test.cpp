#include "ui/messagetextq.h"

#include "shell.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace zv {
namespace {

// Drags the files over the document area and drops them there; returns whether the window took
// the drag (otherwise the platform shows its forbidden cursor).
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
    QTemporaryDir dir;
    const auto write = [&dir](const char *name, const char *function) {
        QFile file(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\"Zerovane\"\r\n\"") + function + "\"\r\n\"-3\"\r\n\" 3\"\r\n");
        return file.fileName();
    };
    const QString first = write("one.zvn", "x^2-4"), second = write("two.ZVN", "x-1");
    const QString bad = write("bad.zvn", "x+"), text = write("notes.txt", "x");
    test::Shell shell;
    shell.main.show();
    // Taken or not, then the windows and boxes there are afterwards.
    const std::tuple<const char *, QStringList, bool, qsizetype, qsizetype> rows[] = {
        {"two projects", {first, second}, true, 2, 0},
        {"a project the reader rejects", {bad}, true, 2, 1},
        {"a text file", {text}, false, 2, 1},
        {"a project with a text file", {first, text}, false, 2, 1}};
    for (const auto &[name, paths, taken, windows, boxes] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Drop(shell.main, paths), taken);
        EXPECT_EQ(shell.Titles().size(), windows);
        EXPECT_EQ(shell.recorder.messages.size(), boxes);
    }
    EXPECT_EQ(shell.recorder.messages[0].prompt, MessageTextQ(6));
    EXPECT_EQ(shell.Titles(), QStringList({"Zerovane #1", "Zerovane #2"}));
}

} // namespace
} // namespace zv
