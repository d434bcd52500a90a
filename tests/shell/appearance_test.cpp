#include "shell/appearance.h"

#include <QApplication>
#include <QPalette>
#include <QSettings>
#include <gtest/gtest.h>

namespace zv {
namespace {

// A key of the store as text, or a null string when it is absent; or a value put there.
QString Stored(const char *key, const char *text = nullptr)
{
    QSettings settings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane"));
    const QString path = QStringLiteral("Settings/") + QLatin1String(key);
    if (text != nullptr)
        settings.setValue(path, QLatin1String(text));
    const QVariant value = settings.value(path);
    return value.isValid() ? value.toString() : QString();
}

void SetInForce(int16_t theme, int32_t background, int32_t foreground)
{
    ForeItem() = theme;
    Background() = background;
    Foreground() = foreground;
}

TEST(StoredValues, ReadAsTheLongestLeadingNumberRoundedToTheKeysWidth)
{
    const std::tuple<const char *, int, bool, int32_t> rows[] = {
        {" 15711881", 32, true, 15711881},
        {"-2147483635", 32, true, kSystemHighlight},
        {"not a number", 32, false, -1}, // a damaged store keeps the value
        {"nan", 32, false, -1},
        {"", 16, false, -1},
        {" .5e1", 16, true, 5},
        {"3junk", 16, true, 3},
        {"2.5", 16, true, 2}, // ties to even
        {"3.5", 16, true, 4},
        {"32767", 16, true, 32767},
        {"32768", 16, false, -1},
        {"2147483648", 32, false, -1},
        {"-1E+999", 32, false, -1}, // infinity
    };
    for (const auto &[text, bits, fits, expected] : rows) {
        int32_t value = -1;
        EXPECT_EQ(ReadStoredInteger(QString::fromLatin1(text), bits, value), fits) << text;
        EXPECT_EQ(value, expected) << text;
    }
}

TEST(Appearance, EachChosenThemeIsStoredAndReadBackAndTheThemeInForceWritesNothing)
{
    QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane")).clear();
    SetInForce(3, 0xE2E2E8, 0);
    for (int k : {3, 0, 6})
        EXPECT_FALSE(ChooseTheme(k)) << k;
    EXPECT_EQ(ForeItem(), 3);
    EXPECT_EQ(Background(), 0xE2E2E8);
    EXPECT_TRUE(Stored("ForeItem").isNull());

    const std::tuple<int, const char *, const char *, QColor, QColor> rows[] = {
        {1, " 15711881", " 0", QColor(137, 190, 239), Qt::black},
        {4, "-2147483635", " 16777215", QApplication::palette().color(QPalette::Highlight),
         Qt::white},
        {5, " 0", " 16777215", Qt::black, Qt::white}};
    for (const auto &[theme, background, foreground, back, fore] : rows) {
        SCOPED_TRACE(theme);
        SetInForce(static_cast<int16_t>(theme == 1 ? 2 : 1), 1, 1);
        ASSERT_TRUE(ChooseTheme(theme));
        EXPECT_EQ(Stored("Background") + '|' + Stored("Foreground") + '|' + Stored("ForeItem"),
                  QStringLiteral("%1|%2| %3").arg(background, foreground).arg(theme));
        SetInForce(0, 1, 1);
        LoadAppearanceSettings();
        EXPECT_EQ(ForeItem(), theme);
        EXPECT_EQ(CurrentThemeColours().background, back);
        EXPECT_EQ(CurrentThemeColours().foreground, fore);
    }
}

} // namespace
} // namespace zv
