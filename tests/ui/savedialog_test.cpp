// The flags and filter arithmetic have their table in tests/export; here what the dialog is
// shown with and what comes back.
#include "ui/savedialog.h"

#include "tests/support/messagerecorder.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using namespace Qt::Literals::StringLiterals;

TEST(ShowSaveDialog, AChosenFileFillsTheOutputsAndCancellingEmptiesThem)
{
    test::Recorder recorder;
    recorder.chosenFile = u"/home/ana/graphs/graph.JPG"_s;
    QString fileName = u"proposed.JPG"_s, fileTitle, filter = u"JPEG Files (*.JPG)"_s;
    int filterIndex = 1, flags = 3;
    ASSERT_TRUE(ShowSaveDialog(fileName, fileTitle, true, filter, filterIndex, u"/home/ana"_s,
                               u"Save graphic"_s, u"JPG"_s, nullptr, flags));
    ASSERT_EQ(recorder.dialogs.size(), 1);
    const FileDialogRequest &shown = recorder.dialogs[0];
    EXPECT_EQ(shown.mode, FileDialogMode::Save);
    EXPECT_EQ(
        QStringList({shown.title, shown.filter, shown.defaultSuffix, shown.folder, shown.fileName}),
        QStringList({"Save graphic", "JPEG Files (*.JPG)", "JPG", "/home/ana", "proposed.JPG"}));
    EXPECT_TRUE(shown.confirmOverwrite);
    EXPECT_EQ(
        QStringList({fileName, fileTitle, QString::number(flags), QString::number(filterIndex)}),
        QStringList({"/home/ana/graphs/graph.JPG", "graph.JPG", "7", "1"}));
    EXPECT_EQ(filter, QStringLiteral("JPEG Files (*.JPG)") + QChar(0)); // an empty pattern

    recorder.chosenFile.clear(); // cancelled
    EXPECT_FALSE(ShowSaveDialog(fileName, fileTitle, true, filter, filterIndex, QString(),
                                u"Save graphic"_s, u"JPG"_s, nullptr, flags));
    EXPECT_EQ(fileName + fileTitle + filter, QString());
    EXPECT_EQ(filterIndex + flags, 0);
}

TEST(ShowSaveDialog, PairsBecomeQtFiltersAndOverwritingIsAskedOnlyWhenWanted)
{
    test::Recorder recorder;
    recorder.chosenFile = u"/tmp/notes.txt"_s;
    QString fileName, fileTitle;
    QString filter = QStringLiteral("Pictures") + QChar(0) + u"*.jpg;*.jpeg"_s + QChar(0) +
                     u"Text"_s + QChar(0) + u"*.txt"_s;
    int filterIndex = 2, flags = 0x20;
    ASSERT_TRUE(ShowSaveDialog(fileName, fileTitle, false, filter, filterIndex, QString(), u"t"_s,
                               QString(), nullptr, flags));
    EXPECT_EQ(recorder.dialogs[0].filter, u"Pictures (*.jpg *.jpeg);;Text (*.txt)"_s);
    EXPECT_FALSE(recorder.dialogs[0].confirmOverwrite);
    EXPECT_EQ(flags, 4);
    EXPECT_EQ(filter, u"Text"_s + QChar(0) + u"*.txt"_s);
}

} // namespace
} // namespace zv
