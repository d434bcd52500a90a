#include "graph/graphwindow.h"
#include "shell/projectfile.h"

#include "tests/support/messagerecorder.h"
#include "tests/support/scratch.h"

#include <QAction>
#include <filesystem>
#include <gtest/gtest.h>

namespace zv {
namespace {

namespace fs = std::filesystem;

// The batch export draws without a window, on another platform and under another application
// object than the windows; for every sample it writes the picture the window's Save writes at
// the opening size, byte for byte (equal pixels through the one encoder), and the same results.
TEST(BatchExport, WritesWhatTheWindowsSaveWritesForEverySample)
{
    const test::Folder folder;
    std::string command = "timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY " ZV_GUI_PATH " --batch";
    for (int i = 1; i <= 7; ++i) {
        const std::string name = "sample" + std::to_string(i) + ".zvn";
        fs::copy_file(ZV_EXAMPLES_DIR "/" + name, folder.path / name);
        command += " '" + (folder.path / name).string() + "'";
    }
    ASSERT_EQ(std::system(command.c_str()), 0);
    test::Recorder recorder;
    for (int i = 1; i <= 7; ++i) {
        const fs::path batch = folder.path / ("sample" + std::to_string(i) + ".zvn"),
                       saved = folder.path / ("window" + std::to_string(i) + ".jpg");
        SCOPED_TRACE(batch);
        const ProjectReadResult project = LoadProjectFile(QString::fromStdString(batch));
        GraphWindow window(GraphEquation{project.function, project.a, project.b});
        recorder.chosenFile = QString::fromStdString(saved);
        window.findChild<QAction *>(QStringLiteral("bSave"))->trigger();
        const std::string picture = test::ReadFile(saved.string());
        EXPECT_GT(picture.size(), 1000u);
        EXPECT_TRUE(picture == test::ReadFile(batch.string() + ".jpg"));
        EXPECT_EQ(test::ReadFile(saved.string() + ".txt"), test::ReadFile(batch.string() + ".txt"));
    }
}

} // namespace
} // namespace zv
