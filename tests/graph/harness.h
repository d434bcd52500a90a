#pragma once

// What the graph tests share: a plot's layer read in world coordinates, and a graph window
// on screen with its controls found by name.
#include "graph/graphwindow.h"
#include "graph/plotarea.h"
#include "ui/messagetextq.h"

#include "tests/support/messagerecorder.h"
#include "tests/support/promptrecorder.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace zv::test {

inline constexpr auto IsRed = [](QRgb pixel) { return pixel == qRgb(255, 0, 0); };
inline constexpr auto IsBlack = [](QRgb pixel) { return pixel == qRgb(0, 0, 0); };

inline QPoint PixelOf(const WorldMapping &mapping, double x, double y)
{
    double px = 0, py = 0;
    mapping.ToPixel(x, y, px, py);
    return {static_cast<int>(std::floor(px)), static_cast<int>(std::floor(py))};
}

// Whether some pixel within `reach` pixels of p satisfies test.
inline bool AnyNear(const QImage &image, QPoint p, int reach, bool (*test)(QRgb))
{
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (image.valid(p + QPoint(dx, dy)) && test(image.pixel(p + QPoint(dx, dy))))
                return true;
        }
    }
    return false;
}

// A control of the window by its name; toolbar buttons and menu entries are QActions.
template<typename T = QWidget>
T *Control(const QWidget &window, const char *name)
{
    return window.findChild<T *>(QLatin1String(name));
}

inline PlotArea *Picture(const QWidget &window)
{
    return Control<PlotArea>(window, "Picture1");
}

inline std::unique_ptr<GraphWindow> Show(const QString &function, double a, double b)
{
    auto window = std::make_unique<GraphWindow>(GraphEquation{function, a, b});
    window->show();
    QApplication::setActiveWindow(window.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return window;
}

} // namespace zv::test
