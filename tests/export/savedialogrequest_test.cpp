#include "export/savedialogrequest.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

using namespace std::string_literals;

TEST(SaveDialogRequest, FlagsConfirmWhenAskedAlwaysHideReadOnlyAndDropHookBits)
{
    for (const auto &[ask, given, sent] :
         {std::tuple{true, 3, 7}, {false, 0, 4}, {false, 0x20 | 0x40 | 0x100, 0x104}, {true, 2, 6}})
        EXPECT_EQ(SaveDialogFlags(ask, given), sent) << ask << " " << given;
}

TEST(SaveDialogRequest, FilterTrimAtNulAndFilterEntry)
{
    EXPECT_EQ(DialogFilter("JPEG Files (*.JPG)"), "JPEG Files (*.JPG)\0\0"s);
    EXPECT_EQ(DialogFilter("Project: zvn|*.zvn"), "Project zvn*.zvn\0\0"s);
    EXPECT_EQ(TrimAtNul("graph.JPG\0\0\0"s), "graph.JPG");
    EXPECT_EQ(TrimAtNul("no nul"), "no nul");
    EXPECT_EQ(TrimAtNul("\0x"s), "");

    const std::string two = "Pictures\0*.jpg\0Text\0*.txt\0\0"s;
    const std::tuple<const char *, std::string, int, std::string> rows[] = {
        {"the graph window's filter", DialogFilter("JPEG Files (*.JPG)"), 1,
         "JPEG Files (*.JPG)\0"s},
        {"first of two", two, 1, "Pictures\0*.jpg"s},
        {"second of two", two, 2, "Text\0*.txt"s},
        {"beyond the list", two, 3, ""},
        {"index zero", two, 0, ""},
        {"no NUL at all", "Pictures", 1, ""},
        {"a pattern running to the end", "Pictures\0*.jpg"s, 1, "Pictures\0*.jpg"s},
    };
    for (const auto &[name, filter, index, entry] : rows)
        EXPECT_EQ(FilterEntry(filter, index), entry) << name;
}

} // namespace
} // namespace zv
