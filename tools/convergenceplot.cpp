#include "tools/convergenceplot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>

namespace zv {

namespace {

// Errors below this are rounding: the axis ends here.
constexpr double kLowestDecade = -17;
constexpr int kMargin = 8;
constexpr int kLegendSwatch = 16;
constexpr double kDot = 1.5;

const std::array<QColor, 8> kLineColours = {
    QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
    QColor(0x94, 0x67, 0xbd), QColor(0xff, 0x7f, 0x0e), QColor(0x8c, 0x56, 0x4b),
    QColor(0x17, 0xbe, 0xcf), QColor(0x7f, 0x7f, 0x7f),
};

} // namespace

ConvergencePlot::ConvergencePlot(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("picConvergence"));
    setMinimumSize(260, 180);
    setToolTip(QStringLiteral("Errors |x_k - root| of each method against its own root"));
}

QSize ConvergencePlot::sizeHint() const
{
    return {360, 300};
}

void ConvergencePlot::SetRuns(std::vector<MethodRun> runs)
{
    m_runs = std::move(runs);
    m_selected = -1;
    update();
}

void ConvergencePlot::SetSelected(int index)
{
    m_selected = index;
    update();
}

std::vector<QPointF> ConvergencePlot::Errors(const MethodRun &run)
{
    std::vector<QPointF> points;
    if (!run.Converged())
        return points;
    for (const Iterate &iterate : run.iterates) {
        const double error = std::fabs(iterate.x - run.root);
        if (error > 0 && std::isfinite(error))
            points.emplace_back(iterate.k, std::max(std::log10(error), kLowestDecade));
    }
    return points;
}

QColor ConvergencePlot::LineColour(int i)
{
    return kLineColours[static_cast<std::size_t>(i) % kLineColours.size()];
}

void ConvergencePlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    const QFontMetrics metrics = painter.fontMetrics();

    if (m_runs.empty()) {
        painter.drawText(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin),
                         Qt::AlignCenter | Qt::TextWordWrap,
                         QStringLiteral("Compare the methods to see their errors shrink."));
        return;
    }
    std::vector<std::vector<QPointF>> lines;
    double lastK = 1;
    double top = 0;
    double bottom = -1;
    for (const MethodRun &run : m_runs) {
        lines.push_back(Errors(run));
        for (const QPointF &p : lines.back()) {
            lastK = std::max(lastK, p.x());
            top = std::max(top, std::ceil(p.y()));
            bottom = std::min(bottom, std::floor(p.y()));
        }
    }

    // The frame of the axes: room for the decade labels at the left and k below.
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("-17")) + kMargin;
    const QRectF frame(labelWidth + kMargin, kMargin + metrics.height(),
                       width() - labelWidth - 2 * kMargin,
                       height() - 2 * metrics.height() - 3 * kMargin);
    if (frame.width() <= 0 || frame.height() <= 0)
        return;
    const auto at = [&](double k, double decade) {
        return QPointF(frame.left() + frame.width() * k / lastK,
                       frame.top() + frame.height() * (top - decade) / (top - bottom));
    };
    painter.drawText(QRectF(kMargin, 0, width(), kMargin + metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("log10 |x_k - root|"));
    // k below the decades' labels, beside the steps' numbers.
    painter.drawText(QRectF(0, frame.bottom() + 2, labelWidth, metrics.height()),
                     Qt::AlignRight | Qt::AlignTop, QStringLiteral("k"));

    // Decades, as many as fit, and steps.
    const int decadeStep = std::max(
        1, static_cast<int>(std::ceil((top - bottom) * metrics.height() * 1.5 / frame.height())));
    for (int decade = static_cast<int>(top); decade >= bottom; decade -= decadeStep) {
        const QPointF left = at(0, decade);
        painter.setPen(QColor(0xdd, 0xdd, 0xdd));
        painter.drawLine(left, at(lastK, decade));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, left.y() - metrics.height(), labelWidth, 2 * metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(decade));
    }
    const int kStep =
        std::max(1, static_cast<int>(std::ceil(
                        lastK * metrics.horizontalAdvance(QStringLiteral("000")) / frame.width())));
    for (int k = 0; k <= lastK; k += kStep) {
        const QPointF foot = at(k, bottom);
        painter.drawText(QRectF(foot.x() - 20, foot.y() + 2, 40, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, QString::number(k));
    }
    painter.drawRect(frame);

    // The lines, the selected one last and bolder, and the legend of the runs that have one.
    int legendRow = 0;
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const bool selected = static_cast<int>(i) == m_selected;
            if (lines[i].empty() || selected != (pass == 1))
                continue;
            QPen pen(LineColour(static_cast<int>(i)), selected ? 3 : 1.5);
            painter.setPen(pen);
            QPainterPath path(at(lines[i][0].x(), lines[i][0].y()));
            for (const QPointF &p : lines[i])
                path.lineTo(at(p.x(), p.y()));
            painter.drawPath(path);
            // A dot at each step, so that a line of one or two steps shows too.
            painter.setBrush(pen.color());
            for (const QPointF &p : lines[i])
                painter.drawEllipse(at(p.x(), p.y()), kDot, kDot);
            painter.setBrush(Qt::NoBrush);
        }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty())
            continue;
        const QString name = QString::fromStdString(MethodName(m_runs[i]));
        const int textWidth = metrics.horizontalAdvance(name);
        const QPointF corner(frame.right() - textWidth - kLegendSwatch - 3 * kMargin / 2,
                             frame.top() + kMargin / 2 + legendRow++ * metrics.height());
        painter.fillRect(QRectF(corner.x() - kMargin / 2, corner.y(),
                                textWidth + kLegendSwatch + 2 * kMargin, metrics.height()),
                         QColor(255, 255, 255, 220));
        painter.setPen(QPen(LineColour(static_cast<int>(i)), 3));
        const double middle = corner.y() + metrics.height() / 2.0;
        painter.drawLine(QPointF(corner.x(), middle), QPointF(corner.x() + kLegendSwatch, middle));
        painter.setPen(Qt::black);
        painter.drawText(
            QPointF(corner.x() + kLegendSwatch + kMargin / 2, corner.y() + metrics.ascent()), name);
    }
    if (legendRow == 0) {
        // A run that met the tolerance at once (x0 on the root) leaves no error to plot.
        const bool anyConverged = std::any_of(m_runs.begin(), m_runs.end(),
                                              [](const MethodRun &run) { return run.Converged(); });
        painter.drawText(frame, Qt::AlignCenter | Qt::TextWordWrap,
                         anyConverged ? QStringLiteral("The methods that converged took too few "
                                                       "steps to show a line.")
                                      : QStringLiteral("No method has converged."));
    }
}

} // namespace zv
