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
    QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
    auto *about = qobject_cast<AboutWindow *>(QApplication::activeModalWidget());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Zerovane"));
    EXPECT_EQ(about->parentWidget(), &main);

    const auto *label = about->findChild<QLabel *>(QStringLiteral("Lbl_about"));
    ASSERT_NE(label, nullptr);
    const QStringList lines = label->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Zerovane 1.0"));
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_EQ(lines[2], QStringLiteral("2003"));
    EXPECT_TRUE(label->font().bold());

    const auto *logo = about->findChild<QLabel *>(QStringLiteral("imgabout"));
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->pixmap().isNull()); // the logo comes from the resources
    EXPECT_FALSE(ProgramIcon().isNull());

    // No button of its own: the window's close (here Esc) ends it, and it is gone afterwards.
    const QPointer<AboutWindow> closing(about);
    QTest::keyClick(about, Qt::Key_Escape);
    QTRY_VERIFY(closing.isNull());
}

} // namespace
} // namespace zv
