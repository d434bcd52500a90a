#pragma once

#include "graph/graphwindow.h"
#include "shell/mainwindow.h"
#include "shell/pendinggraph.h"
#include "shell/storedsettings.h"

#include "tests/support/messagerecorder.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <filesystem>

namespace zv::test {

// A main window on an empty settings store, its boxes and dialogs answered; closed (with Yes
// to its question) at the end.
struct Shell
{
    ~Shell()
    {
        recorder.answer = MessageAnswer::Yes;
        main.close();
        ClearStore();
    }
    // Removes whatever stands in the settings file's place (QSettings would wait on a pipe).
    static void ClearStore()
    {
        std::error_code ignored;
        std::filesystem::remove_all(SettingsFilePath().toStdString(), ignored);
    }
    QAction *Entry(const char *name) const
    {
        return main.findChild<QAction *>(QLatin1String(name));
    }
    GraphWindow *OpenOn(const char *function, double a, double b)
    {
        PendingGraph() = GraphEquation{QString::fromLatin1(function), a, b};
        return main.OpenGraphWindow();
    }
    // The equation of each graph window as "function a b", 15 digits.
    QStringList Equations() const
    {
        QStringList equations;
        for (const QMdiSubWindow *window : main.mdiArea()->subWindowList()) {
            const auto *graph = qobject_cast<GraphWindow *>(window->widget());
            equations << graph->Get_f() + ' ' + QString::number(graph->Get_a(), 'g', 15) + ' ' +
                             QString::number(graph->Get_b(), 'g', 15);
        }
        return equations;
    }
    QStringList Titles() const
    {
        QStringList titles;
        for (const QMdiSubWindow *window : main.mdiArea()->subWindowList())
            titles << window->widget()->windowTitle();
        return titles;
    }

    Recorder recorder;
    int windowCount = (ClearStore(), GraphWindowCount() = 0); // before the main window
    MainWindow main;
};

} // namespace zv::test
