#include "shell/startup.h"

#include "engine/evaluator.h"
#include "shell/helpfile.h"
#include "shell/mainwindow.h"
#include "shell/projectfile.h"
#include "texts/messagetexts.h"
#include "ui/cursoricons.h"

#include <QCoreApplication>

namespace zv {

QString JoinCommandLine(const QStringList &arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

bool StartUp(MainWindow &main, const QStringList &arguments)
{
    FillMessageTexts();
    QString commandLine = JoinCommandLine(arguments);
    InitEvaluator();
    // Not yet here: the "-x " batch export (it needs the graph window's auto_save).
    CheckHelpFile(QCoreApplication::applicationDirPath());
    LoadCursorIcons();
    main.LoadAppearance();

    commandLine.remove(QLatin1Char('"'));
    if (!commandLine.isEmpty()) {
        // The reader's message shows before the frame does, and a failure ends the program.
        if (!ReadProject(commandLine))
            return false;
        main.show();
        main.OpenGraphWindow();
        return true;
    }
    // With nothing to open the frame starts empty; the wizard will be shown here.
    main.show();
    return true;
}

} // namespace zv
