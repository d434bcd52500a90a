#include "helpviewer/chmsystem.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zv {
namespace {

using namespace std::string_literals;

void PutU32(std::string &bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xff);
}

std::string Record(char code, std::string_view data) // code and length both below 256
{
    return std::string{code, 0, static_cast<char>(data.size()), 0} + std::string(data);
}

const std::string kSystem = "\x03\0\0\0"s + Record(9, "HHA Version 4.74.8702\0"s) +
                            Record(2, "welcome.html\0"s) + Record(3, "Zerovane Help\0"s) +
                            Record(0, "contents.hhc\0"s) + Record(1, "keywords.hhk\0"s) +
                            Record(5, "win\0"s) + Record(4, std::string(36, '\1'));

// "#STRINGS" and a "#WINDOWS" with two definitions of 196 bytes: the first full, the second
// with a caption outside the strings and a place that is not valid.
const std::string kStrings = "\0win\0Zerovane Help\0c.hhc\0k.hhk\0w.html\0other\0"s;
constexpr uint32_t kWin = 1, kCaption = 5, kContents = 19, kIndex = 25, kHome = 31, kOther = 38;

std::string WindowsFile()
{
    std::string bytes(8 + 2 * 196, '\0');
    const uint32_t given = (1u << 4) | (1u << 5); // the place and the pane width are given
    // Offset and value: the header, then the first definition and the second.
    const uint32_t fields[] = {0,          2,      4,          196,   8,          196,
                               8 + 0x08,   kWin,   8 + 0x0c,   given, 8 + 0x14,   kCaption,
                               8 + 0x20,   40,     8 + 0x24,   40,    8 + 0x28,   900,
                               8 + 0x2c,   700,    8 + 0x4c,   240,   8 + 0x60,   kContents,
                               8 + 0x64,   kIndex, 8 + 0x68,   kHome, 8 + 0x6c,   kHome,
                               204 + 0x08, kOther, 204 + 0x14, 9999,  204 + 0x20, 50};
    for (size_t i = 0; i < std::size(fields); i += 2)
        PutU32(bytes, fields[i], fields[i + 1]);
    return bytes;
}

TEST(ChmSystem, ReadsTheFilesTheTitleAndTheWindowDefinitions)
{
    const ChmSystem system = ParseChmSystem(kSystem);
    EXPECT_EQ((std::vector{system.contentsFile, system.indexFile, system.defaultTopic, system.title,
                           system.defaultWindow}),
              (std::vector<std::string>{"contents.hhc", "keywords.hhk", "welcome.html",
                                        "Zerovane Help", "win"}));

    const auto windows = ParseChmWindows(WindowsFile(), kStrings);
    ASSERT_EQ(windows.size(), 2u);
    const auto describe = [](const ChmWindow &w) {
        return w.name + '|' + w.caption + '|' + w.contentsFile + '|' + w.indexFile + '|' +
               w.defaultFile + '|' + w.homeFile + '|' +
               (w.hasRect
                    ? std::to_string(w.right - w.left) + 'x' + std::to_string(w.bottom - w.top)
                    : "no rect") +
               '|' + std::to_string(w.navigationWidth);
    };
    EXPECT_EQ(describe(windows[0]), "win|Zerovane Help|c.hhc|k.hhk|w.html|w.html|860x660|240");
    EXPECT_EQ(describe(windows[1]), "other||||||no rect|0");
}

// Cut anywhere, the objects give what they still hold and never read past their end.
TEST(ChmSystem, CutObjectsAreReadAsFarAsTheyGo)
{
    for (size_t length = 0; length <= kSystem.size(); ++length) {
        const ChmSystem cut = ParseChmSystem(std::string_view(kSystem).substr(0, length));
        EXPECT_TRUE(cut.title.empty() || cut.title == "Zerovane Help") << length;
    }
    const std::string windows = WindowsFile();
    for (size_t length = 0; length <= windows.size(); ++length) {
        const auto cut = ParseChmWindows(std::string_view(windows).substr(0, length), kStrings);
        EXPECT_EQ(cut.size(), length < 8 + 196 ? 0u : length < 8 + 2 * 196 ? 1u : 2u) << length;
    }
    for (size_t length = 0; length <= kStrings.size(); ++length) {
        const auto cut = ParseChmWindows(windows, std::string_view(kStrings).substr(0, length));
        ASSERT_EQ(cut.size(), 2u);
        EXPECT_EQ(cut[0].name, std::string("win").substr(0, length > kWin ? length - kWin : 0));
    }
}

TEST(ChmSystem, ImpossibleSizesGiveNoWindows)
{
    std::string windows = WindowsFile();
    for (const uint32_t size : {0u, 0x6fu, 100000u, 0xffffffffu}) {
        PutU32(windows, 4, size);
        EXPECT_TRUE(ParseChmWindows(windows, kStrings).empty()) << size;
    }
    windows = WindowsFile();
    PutU32(windows, 0, 0xffffffffu); // more definitions than the bytes hold
    EXPECT_EQ(ParseChmWindows(windows, kStrings).size(), 2u);
}

} // namespace
} // namespace zv
