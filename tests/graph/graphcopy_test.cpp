#include "graph/graphwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace zv {
namespace {

// Ctrl+C, or Copy from the context menus, puts on the clipboard the picture and the results
// text exactly as a save writes them (the text with the platform's line ends).
TEST(GraphCopy, PutsThePictureAndTheResultsAsASaveWritesThem)
{
    QTemporaryDir dir;
    const struct
    {
        const char *name;
        const char *function;
        double a, b;
        int roots;
    } rows[] = {
        {"no root", "x^2+1", -3, 3, 0},
        {"one root", "x-1", 0, 2, 1},
        {"two roots", "x^2-4", -3, 3, 2},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        GraphWindow window(GraphEquation{QString::fromLatin1(row.function), row.a, row.b});
        window.show();
        QApplication::setActiveWindow(&window);
        auto *list = window.findChild<QListWidget *>(QStringLiteral("LstRoot"));
        ASSERT_EQ(list->count(), row.roots);
        list->setFocus();
        QApplication::clipboard()->clear();

        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        const QMimeData *data = QApplication::clipboard()->mimeData();
        ASSERT_TRUE(data->hasImage());
        const QImage image = qvariant_cast<QImage>(data->imageData());
        EXPECT_EQ(image.size(), QSize(321, 321));
        EXPECT_EQ(image, window.SavedPicture().convertToFormat(image.format()));

        const QString base = dir.filePath(QString::fromLatin1(row.name));
        ASSERT_EQ(window.auto_save(base), QString());
        QFile results(base + QStringLiteral(".txt"));
        ASSERT_TRUE(results.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(results.readAll());
        EXPECT_TRUE(text.contains(QStringLiteral("\r\n")));
        EXPECT_EQ(data->text(), text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

        // The same through the root list's and the plot's context menus.
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
}

} // namespace
} // namespace zv
