#include "shell/appearance.h"

#include <QApplication>
#include <QPalette>
#include <QSettings>
#include <gtest/gtest.h>

#include <memory>

namespace zv {
namespace {

QSettings *OpenStore()
{
    auto *settings = new QSettings(QStringLiteral("Zerovane"), QStringLiteral("Zerovane"));
    settings->beginGroup(QStringLiteral("Settings"));
    return settings;
}

// A key of the store as text, or a null string when it is absent.
QString Stored(const char *key)
{
    const std::unique_ptr<QSettings> settings(OpenStore());
    const QVariant value = settings->value(QLatin1String(key));
    return value.isValid() ? value.toString() : QString();
}

void Store(const char *key, const char *text)
{
    std::unique_ptr<QSettings>(OpenStore())->setValue(QLatin1String(key), QLatin1String(text));
}

void SetInForce(int16_t theme, int32_t background, int32_t foreground)
{
    ForeItem() = theme;
    Background() = background;
    Foreground() = foreground;
}

TEST(StoredValues, ReadAsTheLongestLeadingNumberRoundedToTheKeysWidth)
{
    const struct
    {
        const char *text;
        int bits;
        bool fits;
        int32_t value;
    } cases[] = {
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
        {"1E+300", 32, false, -1},
        {"-1E+999", 32, false, -1}, // infinity
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        int32_t value = -1;
        EXPECT_EQ(ReadStoredInteger(QString::fromLatin1(c.text), c.bits, value), c.fits);
        EXPECT_EQ(value, c.value);
    }
}

class AppearanceTest : public ::testing::Test
{
protected:
    void SetUp() override { std::unique_ptr<QSettings>(OpenStore())->clear(); }
    void TearDown() override { SetUp(); }
};

TEST_F(AppearanceTest, EachChosenThemeIsStoredAndReadBack)
{
    const struct
    {
        int theme;
        const char *background, *foreground, *foreItem;
        QColor back, fore;
    } cases[] = {
        {1, " 15711881", " 0", " 1", QColor(137, 190, 239), Qt::black},
        {2, " 12632256", " 0", " 2", QColor(192, 192, 192), Qt::black},
        {3, " 14869224", " 0", " 3", QColor(232, 226, 226), Qt::black},
        {4, "-2147483635", " 16777215", " 4", QApplication::palette().color(QPalette::Highlight),
         Qt::white},
        {5, " 0", " 16777215", " 5", Qt::black, Qt::white},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.theme);
        SetInForce(static_cast<int16_t>(c.theme == 1 ? 2 : 1), 1, 1);
        ASSERT_TRUE(ChooseTheme(c.theme));
        EXPECT_EQ(Stored("Background"), c.background);
        EXPECT_EQ(Stored("Foreground"), c.foreground);
        EXPECT_EQ(Stored("ForeItem"), c.foreItem);

        SetInForce(0, 1, 1);
        LoadAppearanceSettings();
        EXPECT_EQ(ForeItem(), c.theme);
        EXPECT_EQ(CurrentThemeColours().background, c.back);
        EXPECT_EQ(CurrentThemeColours().foreground, c.fore);
    }
}

TEST_F(AppearanceTest, ChoosingTheThemeInForceOrNoThemeWritesNothing)
{
    SetInForce(3, 0xE2E2E8, 0);
    for (int k : {3, 0, 6})
        EXPECT_FALSE(ChooseTheme(k)) << k;
    EXPECT_EQ(ForeItem(), 3);
    EXPECT_EQ(Background(), 0xE2E2E8);
    EXPECT_TRUE(Stored("ForeItem").isNull());
    EXPECT_TRUE(Stored("Background").isNull());
}

TEST_F(AppearanceTest, UnreadableStoredValuesKeepTheValueInForce)
{
    // Garbage once gave black text on a black window.
    Store("Background", "blue");
    Store("Foreground", "1E+40");
    Store("ForeItem", "7");
    SetInForce(4, kSystemHighlight, 0xFFFFFF);
    LoadAppearanceSettings();
    EXPECT_EQ(Background(), kSystemHighlight);
    EXPECT_EQ(Foreground(), 0xFFFFFF);
    EXPECT_EQ(ForeItem(), 7);
    EXPECT_TRUE(ChooseTheme(4)); // a number no entry has still lets every theme be chosen
}

} // namespace
} // namespace zv
