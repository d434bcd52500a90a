// The batch export's part (see programparts.h): Qt's GUI library on its minimal platform, no
// widgets.
#include "app/batchexport.h"
#include "app/programarguments.h"
#include "app/programparts.h"
#include "graph/plotscene.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

namespace {

constexpr int kFailureStatus = 1;

// A batch run tells on stderr only what failed; Qt's own notes (a missing runtime folder on a
// server, say) would be noise there. A platform that cannot start ends it with status 1.
void BatchMessage(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "zerovane: %s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::_Exit(kFailureStatus);
}

} // namespace

extern "C" __attribute__((visibility("default"))) int ZerovaneBatch(int argc, char *argv[],
                                                                    void (*awaitFonts)())
{
    static_assert(std::is_same_v<decltype(&ZerovaneBatch), zv::BatchPartEntry>);
    // The export draws into pictures only: no display, no windows. Qt's minimal platform with
    // the system's fonts loads nothing more (the offscreen one also looks for desktop themes),
    // and it runs on a server too.
    qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts");
    qInstallMessageHandler(BatchMessage);
    QGuiApplication app(argc, argv);
    // The plot names its own fonts: the platform's default font, whose search through the font
    // configuration costs time, is never needed.
    QGuiApplication::setFont(zv::PlotFont());
    // QGuiApplication took its own options out of argv.
    const int status = zv::RunBatchCommand(zv::ProgramArguments(argc, argv), awaitFonts);
    // The files are on the disk: taking Qt down piece by piece would only cost time.
    std::fflush(nullptr);
    std::_Exit(status);
}
