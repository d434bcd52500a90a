// The bad-input catalogue at the shell's doors: projects handed to Open and to the command line,
// damaged settings at start-up, and the project's Save onto a full disk or a locked folder.
#include "graph/graphwindow.h"
#include "shell/appearance.h"
#include "shell/mainwindow.h"
#include "shell/pendinggraph.h"
#include "shell/startup.h"
#include "texts/messagetexts.h"
#include "tools/xpert.h"

#include "tests/support/badprojects.h"
#include "tests/support/cases.h"
#include "tests/support/messagerecorder.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>

namespace zv {
namespace {

QString Text(int index)
{
    return QString::fromStdString(MessageText(index));
}

QString Path(const test::fs::path &path)
{
    return QString::fromStdString(path.string());
}

// The box the reader shows for a project row.
QString ReaderBox(const test::BadProject &row)
{
    return row.message == 6 ? Text(6) + "|Zerovane|"
                            : Text(7) + '|' + QString::fromLatin1(row.failure) + "|!";
}

// The most memory this process has held since the last call to ResetPeakMemory, in MiB.
long PeakMemory()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6)) / 1024;
    }
    return 0;
}

// Makes the peak the memory held now, and returns it.
long ResetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
    return PeakMemory();
}

// A main window, with one graph window open unless asked otherwise, closed without its question
// afterwards.
struct Frame
{
    explicit Frame(bool withGraph = true)
    {
        PendingGraph() = GraphEquation{QStringLiteral("x^2-4"), -3, 3};
        if (withGraph)
            main->OpenGraphWindow();
    }
    ~Frame()
    {
        recorder.answer = MessageAnswer::Yes;
        main->close();
    }
    QStringList Functions() const
    {
        QStringList functions;
        for (const QMdiSubWindow *window : main->mdiArea()->subWindowList()) {
            if (const auto *graph = qobject_cast<const GraphWindow *>(window->widget()))
                functions << graph->Get_f();
        }
        return functions;
    }
    void Trigger(const char *entry) { main->findChild<QAction *>(QLatin1String(entry))->trigger(); }

    test::Recorder recorder;
    std::unique_ptr<MainWindow> main = std::make_unique<MainWindow>();
};

TEST(BadInput, ProjectsAtOpenAndOnTheCommandLine)
{
    test::ForEachCase(test::BadProjects(), [](const test::BadProject &row) {
        const test::ScratchFolder folder;
        const QString path = Path(row.make(folder.path));
        const test::PipeReleaser release(path.toStdString());
        const QStringList box = row.message == 0 ? QStringList() : QStringList({ReaderBox(row)});

        {
            Frame frame;
            frame.recorder.chosenFile = path;
            const long before = ResetPeakMemory();
            {
                const test::AsNobody nobody(row.asNobody);
                frame.Trigger("mnuopen");
            }
            // Reading no more than the head of a file: a 100 MB line costs no 100 MB.
            EXPECT_LT(PeakMemory() - before, 16);
            EXPECT_EQ(frame.recorder.Boxes(), box);
            // The window already open stays; a new one comes only for a project that opens.
            EXPECT_EQ(frame.Functions(),
                      row.message == 0 ? QStringList({"x^2-4", "x-1"}) : QStringList({"x^2-4"}));
        }

        // On the command line, as a shell splits it at blanks; a failure ends the program.
        Frame frame(false);
        int status = -1;
        const test::AsNobody nobody(row.asNobody);
        const bool started =
            StartUp(*frame.main, QStringList{"zerovane"} + path.split(QLatin1Char(' ')), &status);
        EXPECT_EQ(started, row.message == 0);
        EXPECT_EQ(status, started ? -1 : 1);
        EXPECT_EQ(frame.recorder.Boxes().mid(1), box); // after the missing help file's
    });
}

TEST(BadInput, DamagedSettingsStillStartWithAReadableTheme)
{
    const struct
    {
        const char *name;
        std::string store; // the whole settings file
        int checked;       // the Background entry checked afterwards, 0 for none
    } rows[] = {
        {"binary garbage", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18), 4},
        {"garbage values", "[Settings]\nBackground=blue\nForeground=\"\"\nForeItem=nan\n", 4},
        {"huge numbers",
         "[Settings]\nBackground=1E+40\nForeground=-99999999999999999999999\nForeItem=1E+999\n", 4},
        {"ForeItem 0", "[Settings]\nBackground=0\nForeground=16777215\nForeItem=0\n", 0},
        {"ForeItem 7", "[Settings]\nBackground=15711881\nForeground=0\nForeItem=7\n", 0},
        {"ForeItem -1", "[Settings]\nForeItem=-1\n", 0},
        {"text as dark as its background", "[Settings]\nBackground=0\nForeground=1\nForeItem=5\n",
         5},
    };
    const QString file =
        QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).fileName();
    test::ForEachCase(rows, [&file](const auto &row) {
        test::fs::create_directories(test::fs::path(file.toStdString()).parent_path());
        test::WriteBytes(file.toStdString(), row.store);
        QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).sync();
        // The theme in force at a program's start.
        ForeItem() = 4;
        Background() = kSystemHighlight;
        Foreground() = 0xFFFFFF;

        Frame frame(false);
        ASSERT_TRUE(StartUp(*frame.main, {"zerovane"}));
        EXPECT_TRUE(frame.main->isVisible());
        for (int k = 1; k <= 5; ++k)
            EXPECT_EQ(frame.main->themeEntry(k)->isChecked(), k == row.checked) << k;
        // The wizard's first step as the user reads it, on the frame behind it.
        XPert *wizard = frame.main->Wizard();
        ASSERT_NE(wizard, nullptr);
        const auto *label = wizard->findChild<QLabel *>(QStringLiteral("lblStep0"));
        const QWidget *behind = label->parentWidget();
        while (!behind->autoFillBackground() && !behind->isWindow())
            behind = behind->parentWidget();
        // Light text on a dark ground or the other way round, far enough apart to read.
        EXPECT_GE(std::abs(label->palette().color(QPalette::WindowText).lightness() -
                           behind->palette().color(QPalette::Window).lightness()),
                  96);
    });
    QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).clear();
}

TEST(BadInput, ProjectSaveOntoAFullDiskOrIntoALockedFolderKeepsTheOldFile)
{
    test::ForEachCase(test::kWritePlaces, [](const test::WritePlace &place) {
        const test::ScratchFolder folder;
        if (!test::MakeWritePlace(folder.path, place, {{"old.zvn", test::kGoodProject}}))
            return;
        const auto entries = std::distance(test::fs::directory_iterator(folder.path), {});
        Frame frame;
        frame.recorder.chosenFile = Path(folder.path / "old.zvn");
        {
            const test::AsNobody nobody(!place.fullDisk);
            frame.Trigger("mnusaveproj");
        }
        EXPECT_EQ(frame.recorder.Boxes(),
                  QStringList({QString::fromLatin1(place.failure) + '|' + Text(12) + "|!"}));
        EXPECT_EQ(test::FileBytes(folder.path / "old.zvn"), test::kGoodProject);
        EXPECT_EQ(std::distance(test::fs::directory_iterator(folder.path), {}), entries);
    });
}

} // namespace
} // namespace zv
