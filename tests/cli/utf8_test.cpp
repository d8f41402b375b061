// SPDX-License-Identifier: GPL-3.0-or-later
// UTF-8 as kestrune-calc takes it from files and arguments.

#include "cli/input/utf8.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

TEST(Utf8, AcceptsWellFormedTextOnly)
{
    EXPECT_TRUE(IsUtf8("plain"));
    EXPECT_TRUE(IsUtf8("Stra\xC3\x9F"
                       "e \xE2\x82\xAC \xF0\x9F\x9B\x97"));
    EXPECT_FALSE(IsUtf8("\xC0\xAF")) << "overlong";
    EXPECT_FALSE(IsUtf8("\xED\xA0\x80")) << "surrogate";
    EXPECT_FALSE(IsUtf8("\xF4\x90\x80\x80")) << "beyond U+10FFFF";
    EXPECT_FALSE(IsUtf8("\xE2\x82")) << "cut short";
    EXPECT_FALSE(IsUtf8("caf\xE9")) << "Latin-1";
}

TEST(Utf8, RepairsWhatItCanBetweenCharacters)
{
    EXPECT_EQ(RepairedUtf8("a\xFF"
                           "b\xE2\x82",
                  100),
        "a\uFFFD"
        "b\uFFFD\uFFFD");
    EXPECT_EQ(RepairedUtf8("\xE2\x82\xAC\xE2\x82\xAC", 5), "\u20AC") << "never half a character";
}

} // namespace
} // namespace kestrune
