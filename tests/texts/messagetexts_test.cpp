#include "texts/messagetexts.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(MessageTexts, IndexedFromOneToFortySixWithTheirOuterBlanks)
{
    FillMessageTexts();
    const std::pair<int, const char *> cases[] = {
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
    for (const auto &[index, text] : cases)
        EXPECT_EQ(MessageText(index), text) << index;

    // The no-root tip is assembled from pieces: one line, no blank lost or doubled.
    EXPECT_EQ(MessageText(25).size(), 151u);
    EXPECT_EQ(MessageText(25).find('\n'), std::string::npos);
}

} // namespace
} // namespace zv
