#include "shell/startup.h"

#include "engine/evaluator.h"
#include "shell/helpfile.h"
#include "shell/mainwindow.h"
#include "shell/projectfile.h"
#include "texts/messagetexts.h"
#include "ui/cursoricons.h"

#include <QCoreApplication>

namespace zv {

namespace {

constexpr int kFailureStatus = 1;

} // namespace

bool StartUp(MainWindow &main, const QStringList &arguments, int *exitStatus)
{
    int ignored = 0;
    int &status = exitStatus != nullptr ? *exitStatus : ignored;
    FillMessageTexts();
    const QString commandLine = arguments.mid(1).join(QLatin1Char(' '));
    InitEvaluator();
    SetUpHelp(main, QCoreApplication::applicationDirPath());
    LoadCursorIcons();
    main.LoadAppearance();

    if (!commandLine.isEmpty()) {
        // The reader's message shows before the frame does, and a failure ends the program.
        if (!ReadProject(TypedProjectPath(commandLine))) {
            status = kFailureStatus;
            return false;
        }
        main.show();
        main.OpenGraphWindow();
        return true;
    }
    // With nothing to open, the wizard leads the user to an equation.
    main.show();
    main.ShowWizard();
    return true;
}

} // namespace zv
