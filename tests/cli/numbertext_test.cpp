// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers read strictly: a text that only begins with a number is refused, naming its column and
// the text, in the decimal mark of the file.

#include "cli/input/numbertext.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

constexpr NumberField kWidth { "width", "step width" };

// The text the calculation is given, or the refusal's text.
std::string readAs(std::string text, DecimalMark mark)
{
    const std::optional<Notice> refused = ReadStrictNumber(kWidth, text, mark, "Refused.");
    if (!refused) return text;
    EXPECT_EQ(refused->column, "width");
    return "refused: " + refused->text;
}

bool refused(const std::string &text, DecimalMark mark)
{
    return readAs(text, mark).starts_with("refused: ");
}

TEST(StrictNumber, TextsThatOnlyBeginWithANumberAreRefusedNamingTheText)
{
    for (const char *text : { "1,234.5", "12ft", "1/2", "60-70", "30,5", "abc", "1E", "E5", "--3",
             "-", "1 000", "3,5" })
        EXPECT_TRUE(refused(text, DecimalMark::Point)) << text;
    EXPECT_EQ(readAs("12ft", DecimalMark::Point),
        "refused: The text \"12ft\" for the step width is not a number: write it as digits alone "
        "(30.5 or 1000), without units, thousands separators or other characters. Refused.");
}

TEST(StrictNumber, WholeNumbersPassAsWrittenAndEmptyTextIsLeftToThePresenceCheck)
{
    for (const char *text :
        { "100", " 12", "12 ", ".5", "5.", "-0", "+7", "1E5", "1e-5", "", "  " })
        EXPECT_EQ(readAs(text, DecimalMark::Point), text);
}

TEST(StrictNumber, WithSemicolonsADecimalCommaIsANumberAndAThousandsPointIsNot)
{
    EXPECT_EQ(readAs("30,5", DecimalMark::Comma), "30.5");
    EXPECT_EQ(readAs(" 30,5 ", DecimalMark::Comma), " 30.5 ");
    EXPECT_EQ(readAs("1,500", DecimalMark::Comma), "1.500") << "a German one and a half";
    EXPECT_EQ(readAs("30.5", DecimalMark::Comma), "30.5");
    EXPECT_EQ(readAs("0.125", DecimalMark::Comma), "0.125");
    for (const char *text : { "1.000", "12.500", "-1.000", "1.234.567", "1.234,5", "1,2,3" })
        EXPECT_TRUE(refused(text, DecimalMark::Comma)) << text;
    EXPECT_NE(readAs("1.000", DecimalMark::Comma).find("thousands separator"), std::string::npos);
}

TEST(StrictNumber, TabSeparatedTextTakesEitherMarkButNotBetweenGroupsOfThree)
{
    EXPECT_EQ(readAs("30,5", DecimalMark::Either), "30.5");
    EXPECT_EQ(readAs("30.5", DecimalMark::Either), "30.5");
    for (const char *text : { "1,500", "1.500", "1,234.5", "1.234,5" })
        EXPECT_TRUE(refused(text, DecimalMark::Either)) << text;
}

TEST(StrictNumber, TheFilesSeparatorGivesItsDecimalMark)
{
    EXPECT_EQ(decimalMarkOf(','), DecimalMark::Point);
    EXPECT_EQ(decimalMarkOf(';'), DecimalMark::Comma);
    EXPECT_EQ(decimalMarkOf('\t'), DecimalMark::Either);
}

} // namespace
} // namespace kestrune
