#include "shell/aboutwindow.h"
#include "shell/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(AboutWindow, TheHelpMenuShowsItModalWithLogoNameAuthorAndYear)
{
    MainWindow main;
    main.show();
    main.findChild<QAction *>(QStringLiteral("mnuabout"))->trigger();
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
    auto *about = qobject_cast<AboutWindow *>(QApplication::activeModalWidget());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Zerovane"));
    EXPECT_EQ(about->parentWidget(), &main);
    const auto *label = about->findChild<QLabel *>(QStringLiteral("Lbl_about"));
    const QStringList lines = label->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0] + '|' + lines[2], QStringLiteral("Zerovane 1.0|2003"));
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_TRUE(label->font().bold());
    EXPECT_FALSE(about->findChild<QLabel *>(QStringLiteral("imgabout"))->pixmap().isNull());
    EXPECT_FALSE(ProgramIcon().isNull());

    // No button of its own: the window's close (here Esc) ends it, and it is gone afterwards.
    const QPointer<AboutWindow> closing(about);
    QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return closing.isNull(); }));
}

} // namespace
} // namespace zv
