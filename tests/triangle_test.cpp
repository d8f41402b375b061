// SPDX-License-Identifier: GPL-3.0-or-later
// The triangle solver's nine commands, played on a box set without a window: what each row finds
// or why it refuses, the writes and messages of a command in their order, the hand-over and the
// angle display.

#include "core/triangle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace kestrune {
namespace {

// The window's boxes as texts. A box keeps as many first characters of a text written into it as
// it holds, a character being a code point with the combining accents (U+0300 to U+036F) after
// it, as the window's boxes count them. Every write and message is logged in order.
class FakeBoxes : public TriangleBoxes {
public:
    std::map<std::pair<int, TriangleQuantity>, std::string> texts;
    std::vector<std::string> log;

    // Sets row `number`'s inputs, left to right, to the texts (uncut, so that any text the core
    // may read can be tried) and presses its button.
    void press(int number, std::vector<std::string> inputs)
    {
        const TriangleRowRule &row = kTriangleRows.at(static_cast<std::size_t>(number - 1));
        const std::vector<TriangleQuantity> boxes = row.angleRow()
            ? std::vector { TriangleQuantity::degrees, TriangleQuantity::minutes, row.known[0] }
            : std::vector { row.known[0], row.known[1] };
        for (std::size_t i = 0; i < boxes.size(); ++i)
            texts[{ row.number, boxes[i] }] = inputs.at(i);
        log.clear();
        SolveTriangle(row, *this);
    }
    std::string shown(int row, TriangleQuantity quantity) const
    {
        const auto found = texts.find({ row, quantity });
        return found != texts.end() ? found->second : std::string();
    }

    std::string text(const TriangleRowRule &row, TriangleQuantity quantity) const override
    {
        return shown(row.number, quantity);
    }
    std::string kept(
        const TriangleRowRule &row, TriangleQuantity quantity, std::string_view text) const override
    {
        const std::size_t length = TriangleBoxLength(row, quantity);
        std::size_t characters = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const bool continues = (text[i] & 0xC0) == 0x80;
            const bool accent
                = text[i] == '\xCC' || (text[i] == '\xCD' && text.substr(i + 1, 1) < "\xB0");
            if (length != 0 && !continues && !accent && characters++ == length)
                return std::string(text.substr(0, i));
        }
        return std::string(text);
    }
    void write(
        const TriangleRowRule &row, TriangleQuantity quantity, std::string_view text) override
    {
        texts[{ row.number, quantity }] = kept(row, quantity, text);
        log.push_back("row " + std::to_string(row.number) + " " + static_cast<char>(quantity)
            + " \"" + texts[{ row.number, quantity }] + "\"");
    }
    void showAngle(std::size_t index, std::string_view text) override
    {
        if (index == 0) log.emplace_back("angles");
        log.back() += " " + std::string(text);
    }
    void tell(const TriangleNotice &notice) override
    {
        log.push_back("tell " + TriangleMessage(notice.fault).title + " row "
            + std::to_string(notice.row->number) + " side " + static_cast<char>(notice.side));
    }

    // The log without the blanking at the start of each command.
    std::vector<std::string> steps() const
    {
        std::vector<std::string> out;
        std::copy_if(log.begin(), log.end(), std::back_inserter(out),
            [](const std::string &line) { return !line.ends_with("\"\""); });
        return out;
    }
};

struct RowCase {
    const char *name;
    int row; // 1 to 9
    std::vector<std::string> inputs; // side rows: the two sides; angle rows: degrees, minutes, side
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
    FakeBoxes boxes;
    boxes.press(c.row, c.inputs);
    if (c.found) {
        EXPECT_EQ(boxes.shown(c.row, rule.found), c.found);
    } else {
        EXPECT_EQ(boxes.shown(c.row, rule.found), "");
        ASSERT_FALSE(boxes.steps().empty());
        EXPECT_TRUE(
            boxes.steps().back().starts_with("tell Right Triangle? row " + std::to_string(c.row)))
            << boxes.steps().back();
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

TEST(TriangleCommand, ASideRowBlanksTheOtherSideRowsThenWritesItsSideAndTheAngles)
{
    FakeBoxes boxes;
    boxes.press(1, { "3", "4" });
    EXPECT_EQ(boxes.log,
        (std::vector<std::string> { "row 2 a \"\"", "row 2 h \"\"", "row 2 b \"\"", "row 3 b \"\"",
            "row 3 h \"\"", "row 3 a \"\"", "row 1 h \"5\"", "angles 36 52 53 8 90 0" }));
}

TEST(TriangleCommand, AnAngleRowHandsItsSidesOverAsTextsAndTheSideRowFinishes)
{
    FakeBoxes boxes;
    boxes.press(4, { "30", "0", "1" });
    // The side row computes h from the rounded 1.732 (1.99996 before rounding).
    EXPECT_EQ(boxes.steps(),
        (std::vector<std::string> { "row 4 b \"1.732\"", "row 1 a \"1\"", "row 1 b \"1.732\"",
            "row 1 h \"2\"", "angles 30 0 60 0 90 0" }));
    // Every side row blanked first, inputs before the result.
    EXPECT_EQ(boxes.log.at(0), "row 1 a \"\"");
    EXPECT_EQ(boxes.log.at(8), "row 3 a \"\"");

    // Rows 6, 7 and 8 hand over to the side row that knows their two sides, in its box order.
    boxes.press(6, { "60", "0", "5" });
    EXPECT_EQ(boxes.steps(),
        (std::vector<std::string> { "row 6 h \"10\"", "row 3 b \"5\"", "row 3 h \"10\"",
            "row 3 a \"8.66\"", "angles 60 0 30 0 90 0" }));
    boxes.press(8, { "30", "0", "10" });
    EXPECT_EQ(boxes.steps(),
        (std::vector<std::string> { "row 8 a \"5\"", "row 2 a \"5\"", "row 2 h \"10\"",
            "row 2 b \"8.66\"", "angles 30 0 60 0 90 0" }));
}

TEST(TriangleCommand, RefusalsNameTheirReasonTheRowAndTheSideAtFault)
{
    FakeBoxes boxes;
    boxes.press(1, { "3", "0" });
    EXPECT_EQ(boxes.steps(), std::vector<std::string> { "tell Right Triangle? row 1 side b" });
    boxes.press(2, { "6", "5" });
    EXPECT_EQ(boxes.log.back(), "tell Right Triangle? row 2 side a");
    boxes.press(4, { "90", "0", "1" });
    EXPECT_EQ(boxes.steps(), std::vector<std::string> { "tell Right Triangle? row 4 side a" });
    // A chained solve is refused by its side row, after the angle row's result is written.
    boxes.press(4, { "30", "0", "-5" });
    EXPECT_EQ(boxes.steps(),
        (std::vector<std::string> { "row 4 b \"-8.66\"", "row 1 a \"-5\"", "row 1 b \"-8.66\"",
            "tell Right Triangle? row 1 side a" }));
    // The faults themselves, for a program that words them otherwise.
    struct Told final : FakeBoxes {
        std::vector<TriangleNotice> notices;
        void tell(const TriangleNotice &notice) override { notices.push_back(notice); }
    } told;
    told.press(3, { "4", "4" });
    told.press(5, { "45", "0", "0" });
    told.press(7, { "", "", "1" });
    told.press(1, { "1e200", "1e200" });
    told.press(2, { "0.0001", "0.0002" });
    ASSERT_EQ(told.notices.size(), 5U);
    EXPECT_EQ(told.notices[0].fault, TriangleFault::hypotenuseNotLonger);
    EXPECT_EQ(told.notices[1].fault, TriangleFault::sideNotPositive);
    EXPECT_EQ(told.notices[1].side, TriangleQuantity::a);
    EXPECT_EQ(told.notices[1].row, &kTriangleRows[0]);
    EXPECT_EQ(told.notices[2].fault, TriangleFault::angleOutOfBounds);
    EXPECT_EQ(told.notices[3].fault, TriangleFault::tooLarge);
    // No angle follows from a side b of 0; the side found stands.
    EXPECT_EQ(told.notices[4].fault, TriangleFault::anglesUnknown);
    EXPECT_EQ(told.shown(2, TriangleQuantity::b), "0");
    EXPECT_EQ(TriangleMessage(TriangleFault::anglesUnknown),
        (Message {
            "Angles Unknown", "The angles cannot be shown because side b is 0.", Question }));
}

TEST(TriangleCommand, SidesBeyondTheRangeOfADoubleAreTooLargeToCompute)
{
    FakeBoxes boxes;
    boxes.press(6, { "30", "0", "1E999" });
    EXPECT_EQ(boxes.steps(), std::vector<std::string> { "tell Numbers Too Large row 6 side a" });
    EXPECT_EQ(TriangleMessage(TriangleFault::tooLarge),
        (Message { "Numbers Too Large",
            "The numbers are too large to compute. Enter smaller sides.", Question }));
}

TEST(HandOver, TheSideRowKeepsLostDecimalsButNotLostWholeDigitsOrExponent)
{
    FakeBoxes boxes;
    // 1234.608 arrives as 1234.60: only decimals are lost, and the side row solves with it.
    boxes.press(6, { "45", "0", "873" });
    EXPECT_EQ(boxes.shown(3, TriangleQuantity::h), "1234.60");
    EXPECT_EQ(boxes.shown(3, TriangleQuantity::a), "872.988");
    // 34377468 would arrive as 3437746, ten times too small: refused, nothing copied.
    boxes.press(4, { "0", ".0001", "1" });
    EXPECT_EQ(boxes.steps(),
        (std::vector<std::string> { "row 4 b \"34377468\"", "tell Side Too Long row 4 side a" }));
    EXPECT_EQ(boxes.shown(1, TriangleQuantity::a), "");
    // A result in exponent form would lose its exponent.
    boxes.press(4, { "0", "6e-7", "1e6" });
    EXPECT_EQ(boxes.steps().back(), "tell Side Too Long row 4 side a");
}

TEST(HandOver, ASideTheSideRowsBoxHoldsIsHandedOverHoweverManyCodePointsItHas)
{
    // "1" with seven accents is one character: the angle row's box and the side row's hold it.
    std::string side = "1";
    for (int i = 0; i < 7; ++i)
        side += "\xCC\x81";
    FakeBoxes boxes;
    boxes.press(4, { "45", "0", side });
    EXPECT_EQ(boxes.shown(1, TriangleQuantity::a), side);
    EXPECT_EQ(boxes.steps().back(), "angles 45 0 45 0 90 0");
}

struct AngleCase {
    const char *name;
    int row;
    std::vector<std::string> inputs;
    std::vector<std::string> shown; // A, B and C in degrees and minutes
};

// Listed and reported under its name.
void PrintTo(const AngleCase &c, std::ostream *os)
{
    *os << c.name;
}

class AngleDisplay : public testing::TestWithParam<AngleCase> { };

TEST_P(AngleDisplay, ShowsWholeMinutesAndBAsTheComplementOfA)
{
    const AngleCase &c = GetParam();
    FakeBoxes boxes;
    boxes.press(c.row, c.inputs);
    std::string expected = "angles";
    for (const std::string &text : c.shown)
        expected += " " + text;
    EXPECT_EQ(boxes.steps().back(), expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, AngleDisplay,
    testing::Values(
        AngleCase { "ThreeFourFive", 1, { "3", "4" }, { "36", "52", "53", "8", "90", "0" } },
        AngleCase { "OneAndTwo", 1, { "1", "2" }, { "26", "34", "63", "26", "90", "0" } },
        // 45.0000000514 degrees: the minutes round to 0, and B takes no minute from 90.
        AngleCase { "EqualLegs", 1, { "1", "1" }, { "45", "0", "45", "0", "90", "0" } },
        AngleCase {
            "ThirtyDegrees", 1, { "1", "1.73205080756888" }, { "30", "0", "60", "0", "90", "0" } },
        // 29.9961 degrees: 59.77 minutes round to 60 and carry into the degrees.
        AngleCase {
            "SixtyMinutesCarry", 1, { "0.57726", "1" }, { "30", "0", "60", "0", "90", "0" } },
        // Side a found as 0 (0.0000173): A is 0 degrees.
        AngleCase {
            "NoVerticalLeg", 3, { "0.00001", "0.00002" }, { "0", "0", "90", "0", "90", "0" } }),
    [](const testing::TestParamInfo<AngleCase> &info) { return info.param.name; });

TEST(TriangleRows, EachAngleRowHandsOverToTheSideRowThatKnowsItsTwoSides)
{
    for (const TriangleRowRule &row : kTriangleRows) {
        if (!row.angleRow()) continue;
        SCOPED_TRACE(row.number);
        ASSERT_GE(row.handsOverTo, 1);
        ASSERT_LE(row.handsOverTo, 3);
        const TriangleRowRule &target
            = kTriangleRows.at(static_cast<std::size_t>(row.handsOverTo - 1));
        EXPECT_FALSE(target.angleRow());
        EXPECT_TRUE(std::is_permutation(target.known.begin(), target.known.end(),
            std::array { row.known[0], row.found }.begin()));
    }
}

} // namespace
} // namespace kestrune
