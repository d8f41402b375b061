// SPDX-License-Identifier: GPL-3.0-or-later
// The encodings a CSV file may come in, by name and by its first bytes; Windows-1252 as UTF-8.

#include "cli/input/encoding.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

TEST(Encoding, Windows1252BecomesUtf8WithItsOwnCharactersAbove127)
{
    EXPECT_EQ(Windows1252ToUtf8("Gr\xFC\xDF"
                                "e"),
        "Gr\u00FC\u00DF"
        "e");
    EXPECT_EQ(Windows1252ToUtf8("\x80 \x85 \x8A \x93x\x94 \x99 \x9F"),
        "\u20AC \u2026 \u0160 \u201Cx\u201D \u2122 \u0178");
    EXPECT_EQ(Windows1252ToUtf8("\x81\x8D\xA0\xFF"), "\u0081\u008D\u00A0\u00FF")
        << "the unassigned bytes as the control characters of their number";
    EXPECT_EQ(Windows1252ToUtf8("plain ASCII, 12.5"), "plain ASCII, 12.5");
}

TEST(Encoding, AFileStartIsUtf8ButForACharacterCutAtItsEnd)
{
    EXPECT_TRUE(StartsAsUtf8("B\u00E4ckerei", true));
    const std::string cut = std::string("B\u00E4ckerei \u20AC").substr(0, 12);
    EXPECT_TRUE(StartsAsUtf8(cut, false)) << "the euro sign cut after its first two bytes";
    EXPECT_FALSE(StartsAsUtf8(cut, true)) << "the file ends in half a character";
    EXPECT_FALSE(StartsAsUtf8("B\xE4"
                              "ckerei",
        false));
    EXPECT_FALSE(StartsAsUtf8("caf\xE9", true)) << "a Windows-1252 file ending in \u00E9";
    EXPECT_TRUE(StartsAsUtf8("", true));
}

TEST(Encoding, NamesInAnyCase)
{
    EXPECT_EQ(encodingNamed("UTF-8"), TextEncoding::Utf8);
    EXPECT_EQ(encodingNamed("utf16"), TextEncoding::Utf16);
    EXPECT_EQ(encodingNamed(" cp1252 "), TextEncoding::Windows1252);
    EXPECT_FALSE(encodingNamed("latin1"));
    EXPECT_EQ(encodingName(TextEncoding::Windows1252), "Windows-1252");
}

} // namespace
} // namespace kestrune
