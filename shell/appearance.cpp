#include "shell/appearance.h"

#include "engine/numbertext.h"
#include "graph/graphwindow.h"
#include "shell/settingsfile.h"
#include "shell/storedsettings.h"
#include "ui/themefollower.h"
#include "ui/themepalette.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace zv {

namespace {

constexpr std::array<Theme, kThemeCount> kThemes = {{
    {0xEFBE89, 0x000000},           // Light Blue
    {0xC0C0C0, 0x000000},           // Grey
    {0xE2E2E8, 0x000000},           // Smooth paste
    {kSystemHighlight, 0xFFFFFF},   // Blue :q)
    {0x000000, 0xFFFFFF},           // Classical
    {kSystemFace, kSystemFaceText}, // System: the desktop's window colours, light or dark
}};

constexpr int kDefaultTheme = 4;

const char *const kSettingsGroup = "Settings";
const char *const kBackgroundKey = "Background";
const char *const kForegroundKey = "Foreground";
const char *const kForeItemKey = "ForeItem";

bool IsOrdinaryWindow(const QWidget *widget)
{
    switch (widget->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::SplashScreen:
    case Qt::Desktop:
        return false;
    default:
        return true;
    }
}

// Below this, text is hard to tell from its background (WCAG's floor for large text). Every
// theme of the menu clears it on the usual palettes.
constexpr double kReadableContrast = 3.0;

int32_t ReadValue(const StoredSettings &settings, const char *key, int bits, int32_t defaultValue,
                  int32_t current)
{
    const std::string text =
        settings.Value(kSettingsGroup, key, StoredIntegerText(defaultValue).toStdString());
    int32_t value = current;
    ReadStoredInteger(QString::fromStdString(text), bits, value);
    return value;
}

// The settings file's failure said at start: a theme change that meets it again keeps quiet.
QString &FailureSaidAtStart()
{
    static QString failure;
    return failure;
}

} // namespace

Theme ThemeColors(int theme)
{
    if (theme < 1 || theme > kThemeCount)
        theme = kDefaultTheme;
    return kThemes[static_cast<size_t>(theme - 1)];
}

int32_t &Background()
{
    static int32_t value = ThemeColors(kDefaultTheme).background;
    return value;
}

int32_t &Foreground()
{
    static int32_t value = ThemeColors(kDefaultTheme).foreground;
    return value;
}

int16_t &ForeItem()
{
    static int16_t value = kDefaultTheme;
    return value;
}

QColor ColorFromValue(int32_t value)
{
    if (value < 0) {
        const int systemColor = value & 0xFF;
        const QPalette palette = QGuiApplication::palette();
        switch (systemColor) {
        case 5: // window background
            return palette.color(QPalette::Base);
        case 8: // window text
            return palette.color(QPalette::Text);
        case 14: // highlighted text
            return palette.color(QPalette::HighlightedText);
        case 15: // button face, the ground of dialogs
            return palette.color(QPalette::Window);
        case 18: // button text, the text of dialogs
            return palette.color(QPalette::WindowText);
        default: // 13, and anything the program never stores
            return palette.color(QPalette::Highlight);
        }
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

ThemeColours CurrentThemeColours()
{
    return ReadableColours({ColorFromValue(Background()), ColorFromValue(Foreground())});
}

bool ReadStoredInteger(const QString &text, int bits, int32_t &value)
{
    // A text with no number in front ("blue", "nan", an empty value) is a damaged store, not
    // a request for black: it keeps the value, as a number too large for the key does.
    const QString start = text.trimmed();
    const qsizetype digit = start.startsWith(u'-') || start.startsWith(u'+') ? 1 : 0;
    const QChar first = digit < start.size() ? start.at(digit) : QChar();
    const QChar second = digit + 1 < start.size() ? start.at(digit + 1) : QChar();
    if (!first.isDigit() && !(first == u'.' && second.isDigit()))
        return false;
    // nearbyint rounds ties to even in the default rounding mode.
    const double rounded = std::nearbyint(ReadLeadingNumber(text.toStdU16String()));
    const double lowest =
        bits == 16 ? std::numeric_limits<int16_t>::min() : std::numeric_limits<int32_t>::min();
    const double highest =
        bits == 16 ? std::numeric_limits<int16_t>::max() : std::numeric_limits<int32_t>::max();
    // Written so that NaN fails too: converting it, or anything out of range, is undefined.
    if (!(rounded >= lowest && rounded <= highest))
        return false;
    value = static_cast<int32_t>(rounded);
    return true;
}

QString StoredIntegerText(int32_t value)
{
    return QString::fromStdString(FormatFileNumber(static_cast<double>(value)));
}

QString LoadAppearanceSettings()
{
    const StoredSettings settings;
    const Theme first = ThemeColors(kDefaultTheme);
    FailureSaidAtStart().clear();
    if (!settings.readable()) {
        Background() = first.background;
        Foreground() = first.foreground;
        ForeItem() = kDefaultTheme;
        FailureSaidAtStart() = settings.failure();
        return settings.failure() +
               QStringLiteral("\n\nZerovane starts with its default colours; the colours you "
                              "choose are kept for this session only.");
    }
    // A value that does not fit its key keeps the one in force, as a failed assignment would.
    Background() = ReadValue(settings, kBackgroundKey, 32, first.background, Background());
    Foreground() = ReadValue(settings, kForegroundKey, 32, first.foreground, Foreground());
    ForeItem() =
        static_cast<int16_t>(ReadValue(settings, kForeItemKey, 16, kDefaultTheme, ForeItem()));
    // A store damaged into text as dark as its background (black on black) would leave every
    // label unreadable: the colours of the stored theme take its place.
    if (ContrastRatio(ColorFromValue(Background()), ColorFromValue(Foreground())) <
        kReadableContrast) {
        const Theme theme = ThemeColors(ForeItem());
        Background() = theme.background;
        Foreground() = theme.foreground;
    }
    return {};
}

bool ChooseTheme(int k, QString *failure)
{
    if (k == ForeItem() || k < 1 || k > kThemeCount)
        return false;
    const Theme theme = ThemeColors(k);
    Background() = theme.background;
    Foreground() = theme.foreground;
    ForeItem() = static_cast<int16_t>(k);

    const auto stored = [](int32_t value) { return StoredIntegerText(value).toStdString(); };
    const QString written = StoreSettings(kSettingsGroup, {{kBackgroundKey, stored(Background())},
                                                           {kForegroundKey, stored(Foreground())},
                                                           {kForeItemKey, stored(ForeItem())}});
    if (failure != nullptr)
        *failure = written == FailureSaidAtStart() ? QString() : written;
    return true;
}

void ApplyThemeToAllWindows()
{
    const ThemeColours colours = CurrentThemeColours();
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        // The frame is coloured with its document area even before it shows.
        const QList<QMdiArea *> areas = window->findChildren<QMdiArea *>();
        if (!IsOrdinaryWindow(window) || (!window->isVisible() && areas.isEmpty()))
            continue;
        // Each window takes the colours again whenever it becomes active.
        FollowTheme(window, colours);
        for (QMdiArea *area : areas) {
            for (QMdiSubWindow *child : area->subWindowList()) {
                if (auto *graph = qobject_cast<GraphWindow *>(child->widget()))
                    ColourGraphWindow(graph, colours);
                else
                    FollowTheme(child->widget(), colours);
            }
        }
    }
}

void ColourGraphWindow(GraphWindow *window, const ThemeColours &colours)
{
    // The rules every window follows (its root list's selection among them), then the window's
    // own, which it applies again at every activation.
    ApplyThemeByPrefix(window, colours);
    window->SetColours(colours);
}

} // namespace zv
