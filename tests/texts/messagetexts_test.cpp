#include "texts/messagetexts.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(MessageTexts, IndexedFromOneToFortySixWithTheirOuterBlanks)
{
    FillMessageTexts();
    const struct
    {
        int index;
        const char *text;
    } cases[] = {
        {0, ""},
        {1, "Are you sure you want to exit ?"},
        {3, " - This is a sample"},
        {23, " One root :"},
        {24, " roots : "},
        {26, " root"},
        {28, " seconds"},
        {41, "Zerovane Wizard - Step "},
        {42, " of "},
        {46, "You will notice the changes at the next start !"},
        {47, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MessageText(c.index), c.text) << c.index;
}

TEST(MessageTexts, TheNoRootTipIsOneLineOf151Characters)
{
    const std::string &tip = MessageText(25);
    EXPECT_EQ(tip.size(), 151u);
    EXPECT_EQ(tip.find('\n'), std::string::npos);
    EXPECT_EQ(tip.rfind("No root found. Select another interval by either zooming", 0), 0u);
}

} // namespace
} // namespace zv
