// Runs in the ordinary suite and once more at QT_SCALE_FACTOR=2 (see tests/CMakeLists.txt).
#include "graph/graphwindow.h"
#include "graph/plotarea.h"
#include "pixelprobe.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace zv {
namespace {

using test::IsBlack;

TEST(GraphWindowHighDensity, PlotUnitsStayWhileTheScreenGetsItsOwnPixels)
{
    const auto window = std::make_unique<GraphWindow>(GraphEquation{QStringLiteral("x"), -4, 4});
    window->show();
    auto *picture = window->findChild<PlotArea *>(QStringLiteral("Picture1"));
    ASSERT_NE(picture, nullptr);
    const qreal ratio = picture->devicePixelRatioF();
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2")) {
        ASSERT_EQ(ratio, 2.0);
    }

    // What is saved and measured stays 319 x 319 plot units (321 with the border).
    EXPECT_EQ(picture->size(), QSize(321, 321));
    EXPECT_EQ(picture->Layer().size(), QSize(319, 319));
    EXPECT_EQ(picture->PresentImage().size(), QSize(319, 319));
    EXPECT_EQ(picture->Mapping().Edges().right, 4.4);

    // The screen's copy has the device's pixels, and the vertical axis x = 0 is one device
    // pixel wide in it, not a blown-up plot unit.
    const QImage &screen = picture->ScreenLayer();
    EXPECT_EQ(screen.size(), QSize(319, 319) * ratio);
    EXPECT_EQ(screen.devicePixelRatio(), ratio);
    const int row = static_cast<int>(100 * ratio);
    int black = 0;
    for (int column = 0; column < screen.width(); ++column) {
        black += IsBlack(screen.pixel(column, row)) ? 1 : 0;
    }
    EXPECT_EQ(black, 1);

    // A click is read in plot units: 1.5 inside the plot is still x = 1.5.
    QSignalSpy newton(window.get(), &GraphWindow::approximateRequested);
    double px = 0, py = 0;
    ASSERT_TRUE(picture->Mapping().ToPixel(1.5, 0.5, px, py));
    const QPointF at(px + PlotArea::kBorder, py + PlotArea::kBorder);
    QMouseEvent press(QEvent::MouseButtonPress, at, picture->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &press);
    ASSERT_EQ(newton.size(), 1);
    EXPECT_NEAR(newton[0][0].toDouble(), 1.5, 1e-12);
}

} // namespace
} // namespace zv
