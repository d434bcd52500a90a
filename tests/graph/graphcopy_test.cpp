#include "graph/graphwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <gtest/gtest.h>

namespace zv {
namespace {

// Ctrl+C, or Copy from the context menus, puts on the clipboard the picture and the results
// text exactly as a save writes them (the text with the platform's line ends).
TEST(GraphCopy, PutsThePictureAndTheResultsAsASaveWritesThem)
{
    GraphWindow window(GraphEquation{QStringLiteral("x^2-4"), -3, 3});
    window.show();
    QApplication::setActiveWindow(&window);
    auto *list = window.findChild<QListWidget *>(QStringLiteral("LstRoot"));
    list->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    const QMimeData *data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasImage());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), QSize(321, 321));
    EXPECT_EQ(image, window.SavedPicture().convertToFormat(image.format()));
    const QString text = QString::fromStdString(window.ResultsFileText()).replace("\r\n", "\n");
    EXPECT_EQ(data->text(), text);

    for (const char *control : {"LstRoot", "Picture1"}) {
        auto *widget = window.findChild<QWidget *>(QLatin1String(control));
        ASSERT_EQ(widget->contextMenuPolicy(), Qt::ActionsContextMenu);
        ASSERT_EQ(widget->actions().size(), 1);
        EXPECT_EQ(widget->actions()[0]->text(), QStringLiteral("&Copy"));
        QApplication::clipboard()->clear();
        widget->actions()[0]->trigger();
        EXPECT_EQ(QApplication::clipboard()->text(), text) << control;
    }
}

} // namespace
} // namespace zv
