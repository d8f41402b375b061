// SPDX-License-Identifier: GPL-3.0-or-later
// The triangle solver's nine rows, its refusals and the angle display, without the window.

#include "core/triangle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrune {
namespace {

const Message kNotARightTriangle { "Right Triangle?", "You no longer have a right triangle.",
    Question };
const Message kTooLarge { "Numbers Too Large",
    "The numbers are too large to compute. Enter smaller sides.", Question };

struct RowCase {
    const char *name;
    int row; // 1 to 9
    // Side rows: the two sides. Angle rows: degrees, minutes and the side.
    const char *inputs[3];
    const char *found; // null: refused as no right triangle
};

// Listed and reported under its name.
void PrintTo(const RowCase &c, std::ostream *os)
{
    *os << c.name;
}

class TriangleRow : public testing::TestWithParam<RowCase> { };

TEST_P(TriangleRow, FindsItsSideRoundedToThreeDecimalsOrRefuses)
{
    const RowCase &c = GetParam();
    const TriangleRowRule &rule = kTriangleRows.at(static_cast<std::size_t>(c.row - 1));
    ASSERT_EQ(rule.number, c.row);
    const RowSolution solution = rule.angleRow
        ? SolveAngleRow(rule, c.inputs[0], c.inputs[1], c.inputs[2])
        : SolveSideRow(rule, c.inputs[0], c.inputs[1]);
    if (c.found) {
        EXPECT_EQ(solution.text, c.found);
        EXPECT_EQ(solution.problem, std::nullopt);
    } else {
        EXPECT_EQ(solution.text, "");
        EXPECT_EQ(solution.problem, kNotARightTriangle);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TriangleRow,
    testing::Values(RowCase { "Row1HypotenuseOfThreeAndFour", 1, { "3", "4" }, "5" },
        RowCase { "Row1NeedsPositiveLegs", 1, { "3", "0" }, nullptr },
        RowCase { "Row1EmptyLegReadsAsZero", 1, { "", "4" }, nullptr },
        RowCase { "Row2LegFromLegAndHypotenuse", 2, { "3", "5" }, "4" },
        RowCase { "Row2HypotenuseAsLongAsTheLeg", 2, { "5", "5" }, nullptr },
        RowCase { "Row2HypotenuseShorterThanTheLeg", 2, { "6", "5" }, nullptr },
        RowCase { "Row2NoLeg", 2, { "", "5" }, nullptr },
        // b is 0.00017: shown as 0, not refused.
        RowCase { "Row2LegRoundsToZero", 2, { "0.0001", "0.0002" }, "0" },
        RowCase { "Row3LegAFromBAndH", 3, { "4", "5" }, "3" },
        RowCase { "Row3HypotenuseAsLongAsTheLeg", 3, { "4", "4" }, nullptr },
        // The solver's degree factor makes tan 30 a little off: 1.73205082536771.
        RowCase { "Row4CotangentTimesA", 4, { "30", "0", "1" }, "1.732" },
        RowCase { "Row4NegativeSideIsNotTestedHere", 4, { "30", "0", "-5" }, "-8.66" },
        RowCase { "Row4NearlyVertical", 4, { "89", "59.4", "1" }, "0" },
        RowCase { "Row5CotangentTimesB", 5, { "45", "0", "2" }, "2" },
        RowCase { "Row6HypotenuseOverCosine", 6, { "60", "0", "5" }, "10" },
        RowCase { "Row7HypotenuseOverCosineOfB", 7, { "60", "0", "5" }, "10" },
        RowCase { "Row8SineTimesH", 8, { "30", "0", "10" }, "5" },
        RowCase { "Row8NearlyVertical", 8, { "89", "59.4", "1" }, "1" },
        RowCase { "Row9CosineOfBTimesH", 9, { "60", "0", "10" }, "5" },
        // The angle bounds, 0.0000000001 and 89.999999999 degrees, both included.
        RowCase { "NinetyDegreesRefused", 4, { "90", "0", "1" }, nullptr },
        RowCase { "JustUnderNinetyAccepted", 4, { "89", "59.999", "1" }, "0" },
        RowCase { "HighestBoundIncluded", 4, { "89.999999999", "", "1" }, "0" },
        RowCase { "BeyondTheHighestBound", 4, { "89.9999999991", "", "1" }, nullptr },
        RowCase { "LowestBoundIncluded", 8, { "0.0000000001", "", "1" }, "0" },
        RowCase { "BelowTheLowestBound", 8, { "0.00000000009", "", "1" }, nullptr },
        RowCase { "ZeroRefused", 4, { "0", "0", "1" }, nullptr },
        RowCase { "ATinyAngleAccepted", 6, { "0", ".00001", "1" }, "1" },
        RowCase { "NegativeMinutesRefused", 4, { "", "-.0001", "1" }, nullptr },
        RowCase { "MinutesAloneMakeAnAngle", 4, { "", "30", "1" }, "114.589" },
        RowCase { "MinutesBeyondSixty", 6, { "0", "3600", "1" }, "2" },
        RowCase { "AnAngleThatIsNoNumber", 4, { "1", "1E999", "1" }, nullptr }),
    [](const testing::TestParamInfo<RowCase> &info) { return info.param.name; });

TEST(TriangleRow, SidesBeyondTheRangeOfADoubleAreTooLargeToCompute)
{
    EXPECT_EQ(SolveSideRow(kTriangleRows[0], "1e200", "1e200").problem, kTooLarge);
    EXPECT_EQ(SolveAngleRow(kTriangleRows[5], "30", "0", "1E999").problem, kTooLarge);
}

TEST(TriangleRow, EachAngleRowHandsOverToTheSideRowThatKnowsItsTwoSides)
{
    for (const TriangleRowRule &row : kTriangleRows) {
        if (!row.angleRow) continue;
        SCOPED_TRACE(row.number);
        ASSERT_GE(row.handsOverTo, 1);
        ASSERT_LE(row.handsOverTo, 3);
        const TriangleRowRule &target
            = kTriangleRows.at(static_cast<std::size_t>(row.handsOverTo - 1));
        EXPECT_FALSE(target.angleRow);
        EXPECT_TRUE(std::is_permutation(target.known.begin(), target.known.end(),
            std::array { row.known[0], row.found }.begin()));
    }
}

TEST(HandOver, AcceptsLostDecimalsButNotLostWholeDigitsOrExponent)
{
    EXPECT_EQ(CheckHandOver("1", "1.732"), std::nullopt);
    EXPECT_EQ(CheckHandOver("1234.608", "-123.456"), std::nullopt);
    const Message tooLong { "Side Too Long", "The side has more digits than the side field holds.",
        Question };
    // The side boxes count characters: accented letters after the side take one place each.
    EXPECT_EQ(CheckHandOver("12\u00e9\u00e9\u00e9\u00e9", "1"), std::nullopt);
    EXPECT_EQ(CheckHandOver("\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9", "0"), std::nullopt);
    EXPECT_EQ(CheckHandOver("34377468", "1"), tooLong);
    EXPECT_EQ(CheckHandOver("34377468\u00e9", "1"), tooLong);
    EXPECT_EQ(CheckHandOver("1", "5.729578E+15"), tooLong);
}

struct AngleCase {
    const char *name;
    double a, b;
    std::array<const char *, 6> display;
};

// Listed and reported under its name.
void PrintTo(const AngleCase &c, std::ostream *os)
{
    *os << c.name;
}

class AngleDisplayCase : public testing::TestWithParam<AngleCase> { };

TEST_P(AngleDisplayCase, ShowsWholeMinutesAndBAsTheComplementOfA)
{
    const AngleCase &c = GetParam();
    const AngleDisplay display = ShowAngles(c.a, c.b);
    ASSERT_EQ(display.problem, std::nullopt);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(display.texts[i], c.display[i]) << "field " << i;
}

INSTANTIATE_TEST_SUITE_P(Cases, AngleDisplayCase,
    testing::Values(AngleCase { "ThreeFourFive", 3, 4, { "36", "52", "53", "8", "90", "0" } },
        AngleCase { "OneAndTwo", 1, 2, { "26", "34", "63", "26", "90", "0" } },
        // 45.0000000514 degrees: the minutes round to 0, and B takes no minute from 90.
        AngleCase { "EqualLegs", 1, 1, { "45", "0", "45", "0", "90", "0" } },
        AngleCase { "ThirtyDegrees", 1, 1.73205080756888, { "30", "0", "60", "0", "90", "0" } },
        // 29.995 degrees: 59.7 minutes round to 60 and carry into the degrees.
        AngleCase { "SixtyMinutesCarry", std::tan(29.995 / 57.2957795785523), 1,
            { "30", "0", "60", "0", "90", "0" } },
        AngleCase { "NoVerticalLeg", 0, 5, { "0", "0", "90", "0", "90", "0" } }),
    [](const testing::TestParamInfo<AngleCase> &info) { return info.param.name; });

TEST(AngleDisplay, ShowsNothingWithoutAHorizontalLegOrForNumbersBeyondADouble)
{
    const AngleDisplay flat = ShowAngles(1, 0);
    EXPECT_EQ(flat.problem,
        (Message {
            "Angles Unknown", "The angles cannot be shown because side b is 0.", Question }));
    EXPECT_EQ(ShowAngles(std::numeric_limits<double>::infinity(), 1).problem, kTooLarge);
    EXPECT_EQ(ShowAngles(1, 1.7976931348623157e308).problem, kTooLarge);
}

} // namespace
} // namespace kestrune
