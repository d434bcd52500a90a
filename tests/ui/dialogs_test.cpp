#include "ui/inputprompt.h"
#include "ui/savedialog.h"
#include "ui/systempath.h"

#include "tests/support/cases.h"
#include "tests/support/messagerecorder.h"
#include "tests/support/scratch.h"

#include <QApplication>
#include <QFile>
#include <QInputDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace zv {
namespace {

using namespace Qt::Literals::StringLiterals;

// The flags and filter arithmetic have their table in tests/export, and the graph window's save
// checks the dialog's mode; here what the dialog is shown with and what comes back.
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
    EXPECT_EQ(
        QStringList({shown.title, shown.filter, shown.defaultSuffix, shown.folder, shown.fileName}),
        QStringList({"Save graphic", "JPEG Files (*.JPG)", "JPG", "/home/ana", "proposed.JPG"}));
    EXPECT_TRUE(shown.confirmOverwrite);
    EXPECT_EQ(QStringList({fileName, fileTitle, filter}),
              QStringList({"/home/ana/graphs/graph.JPG", "graph.JPG", u"JPEG Files (*.JPG)\0"_s}));
    EXPECT_EQ(std::pair(flags, filterIndex), std::pair(7, 1));

    // Pairs become Qt's filters; the second is chosen; overwriting is not asked.
    filter = u"Pictures\0*.jpg;*.jpeg\0Text\0*.txt"_s;
    filterIndex = 2;
    flags = 0x20;
    ASSERT_TRUE(ShowSaveDialog(fileName, fileTitle, false, filter, filterIndex, QString(), u"t"_s,
                               QString(), nullptr, flags));
    EXPECT_EQ(recorder.dialogs[1].filter, u"Pictures (*.jpg *.jpeg);;Text (*.txt)"_s);
    EXPECT_FALSE(recorder.dialogs[1].confirmOverwrite);
    EXPECT_EQ(std::pair(flags, filter), std::pair(4, u"Text\0*.txt"_s));

    recorder.chosenFile.clear(); // cancelled
    EXPECT_FALSE(ShowSaveDialog(fileName, fileTitle, true, filter, filterIndex, QString(),
                                u"Save graphic"_s, u"JPG"_s, nullptr, flags));
    EXPECT_EQ(fileName + fileTitle + filter + QString::number(filterIndex + flags), "0");

    // Qt's dialog answers with U+FFFD for bytes that are not UTF-8: the file there is the one
    // taken, and a new name in such a folder keeps the folder's bytes.
    const test::Folder folder;
    const std::string dir = folder.path.string() + "/d\xe9\xff";
    test::fs::create_directory(dir);
    test::WriteFile(dir + "/g\xff.JPG", "");
    for (const std::string &chosen : {dir + "/g\xff.JPG", dir + "/new.JPG"}) {
        recorder.chosenFile = QFile::decodeName(chosen.c_str());
        ASSERT_TRUE(ShowSaveDialog(fileName, fileTitle, true, filter, filterIndex, QString(),
                                   u"t"_s, QString(), nullptr, flags));
        EXPECT_EQ(PathBytes(fileName).toStdString(), chosen);
    }
}

// Valid UTF-8 is decoded as usual; each byte of an invalid sequence comes back as it went in.
TEST(SystemPath, EveryByteSurvivesTheWayThereAndBack)
{
    const std::tuple<const char *, QByteArray, QString> rows[] = {
        {"UTF-8", "/tmp/\xc8\x99.zvn", u"/tmp/\x0219.zvn"_s},
        {"Latin-1", "lat\xe9.zvn", u"lat\xdce9.zvn"_s},
        {"a pair whose low half looks carried", "\xf0\x9f\x92\xa9", u"\U0001F4A9"_s},
        {"an overlong slash", "\xc0\xaf", u"\xdcc0\xdcaf"_s},
        {"an encoded surrogate", "\xed\xa0\x80", u"\xdced\xdca0\xdc80"_s},
    };
    test::ForEachCase(rows, [](auto, const QByteArray &bytes, const QString &path) {
        EXPECT_EQ(PathFromBytes(bytes), path);
        EXPECT_EQ(PathBytes(path), bytes);
    });
}

// As soon as the prompt box is up: keeps what it shows, then confirms `typed`, or cancels when
// there is nothing to type.
void AnswerWhenShown(QStringList &seen, std::optional<QString> typed)
{
    QTimer::singleShot(0, [&seen, typed] {
        auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (box == nullptr)
            return AnswerWhenShown(seen, typed);
        seen = {box->windowTitle(), box->labelText(), box->textValue()};
        if (!typed)
            return box->reject();
        box->setTextValue(*typed);
        box->accept();
    });
}

TEST(AskText, TheRealBoxShowsItsTextsAndTellsCancelApart)
{
    QStringList seen;
    AnswerWhenShown(seen, QStringLiteral("1,5"));
    EXPECT_EQ(AskText(nullptr, "a = ", "New interval", "-3"), QStringLiteral("1,5"));
    EXPECT_EQ(seen, QStringList({"New interval", "a = ", "-3"}));

    AnswerWhenShown(seen, std::nullopt);
    EXPECT_EQ(AskText(nullptr, "hiq=", "Another precision", "100"), std::nullopt);
    EXPECT_EQ(seen, QStringList({"Another precision", "hiq=", "100"}));
}

} // namespace
} // namespace zv
