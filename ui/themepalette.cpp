#include "ui/themepalette.h"

#include <QWidget>

#include <algorithm>
#include <cmath>
#include <optional>

namespace zv {

namespace {

double Luminance(const QColor &c)
{
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

QColor BlackOrWhiteOn(const QColor &background)
{
    return ContrastRatio(background, Qt::black) >= ContrastRatio(background, Qt::white)
               ? QColor(Qt::black)
               : QColor(Qt::white);
}

// Moves colour's lightness in its own hue, darker or paler, until accepted holds; the colour
// where it can go no further when it never does.
template<typename Accepted>
QColor Moved(QColor colour, bool darker, Accepted accepted)
{
    constexpr float kStep = 0.02f;
    while (!accepted(colour)) {
        float hue = 0, saturation = 0, lightness = 0;
        colour.getHslF(&hue, &saturation, &lightness);
        if (darker ? lightness <= 0 : lightness >= 1)
            break;
        lightness = std::clamp(darker ? lightness - kStep : lightness + kStep, 0.0f, 1.0f);
        colour = QColor::fromHslF(std::max(hue, 0.0f), saturation, lightness).toRgb();
    }
    return colour;
}

// The nearest colour in colour's hue that accepted takes: first away from reference (darker
// beside a light one), then towards it; nothing when neither way has one.
template<typename Accepted>
std::optional<QColor> MovedAwayFrom(const QColor &colour, const QColor &reference,
                                    Accepted accepted)
{
    const bool darker = BlackOrWhiteOn(reference) == QColor(Qt::black);
    for (const bool way : {darker, !darker}) {
        const QColor moved = Moved(colour, way, accepted);
        if (accepted(moved))
            return moved;
    }
    return std::nullopt;
}

} // namespace

double ContrastRatio(const QColor &one, const QColor &other)
{
    const double a = Luminance(one);
    const double b = Luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

ThemeColours ReadableColours(const ThemeColours &colours)
{
    const auto reads = [&colours](const QColor &background) {
        return ContrastRatio(background, colours.foreground) >= kTextContrast;
    };
    if (reads(colours.background))
        return colours;
    if (const auto deeper = MovedAwayFrom(colours.background, colours.foreground, reads))
        return {*deeper, colours.foreground};
    return {colours.background, BlackOrWhiteOn(colours.background)};
}

QColor FocusFrameColour(const QColor &highlight)
{
    QColor frame = highlight.darker(125);
    if (frame.value() > 160)
        frame.setHsl(frame.hue(), frame.saturation(), 160);
    return frame;
}

Selection ReadableSelection(const QColor &highlight, const QColor &text, const QColor &behind)
{
    const auto stands = [&behind](const QColor &block, const QColor &on) {
        return ContrastRatio(block, behind) >= kMarkContrast &&
               ContrastRatio(FocusFrameColour(block), behind) >= kMarkContrast &&
               ContrastRatio(on, block) >= kTextContrast;
    };
    // The desktop's text colour where a block can carry it, else black or white.
    if (const auto block =
            MovedAwayFrom(highlight, behind, [&](const QColor &c) { return stands(c, text); }))
        return {*block, text};
    const auto block = MovedAwayFrom(highlight, behind,
                                     [&](const QColor &c) { return stands(c, BlackOrWhiteOn(c)); });
    const QColor chosen = block.value_or(highlight);
    return {chosen, BlackOrWhiteOn(chosen)};
}

void SetListColours(QWidget *list, const ThemeColours &colours)
{
    const ThemeColours readable = ReadableColours(colours);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, readable.background);
    palette.setColor(QPalette::Text, readable.foreground);
    palette.setColor(QPalette::Highlight, readable.foreground);
    palette.setColor(QPalette::HighlightedText, readable.background);
    list->setPalette(palette);
}

QPalette ReadablePalette(const QPalette &palette)
{
    QPalette readable = palette;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const auto pair = [&](QPalette::ColorRole background, QPalette::ColorRole text) {
            const ThemeColours old{palette.color(group, background), palette.color(group, text)};
            const ThemeColours fixed = ReadableColours(old);
            if (fixed.background != old.background)
                readable.setColor(group, background, fixed.background);
            if (fixed.foreground != old.foreground)
                readable.setColor(group, text, fixed.foreground);
        };
        pair(QPalette::Window, QPalette::WindowText);
        pair(QPalette::Base, QPalette::Text);
        pair(QPalette::Button, QPalette::ButtonText);
        pair(QPalette::ToolTipBase, QPalette::ToolTipText);
        const QColor highlight = palette.color(group, QPalette::Highlight);
        const QColor text = palette.color(group, QPalette::HighlightedText);
        const Selection selection =
            ReadableSelection(highlight, text, readable.color(group, QPalette::Window));
        if (selection.highlight != highlight || selection.text != text) {
            readable.setColor(group, QPalette::Highlight, selection.highlight);
            readable.setColor(group, QPalette::HighlightedText, selection.text);
        }
    }
    return readable;
}

} // namespace zv
