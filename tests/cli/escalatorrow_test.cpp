// SPDX-License-Identifier: GPL-3.0-or-later
// One escalator as the command line calculates it: the window's results and messages, played on a
// row of texts, and the texts longer than their boxes, which the window never receives.

#include "cli/commands/escalatorrow.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

EscalatorEntry escalator(std::string projection, std::string rise, std::string width,
    std::string degrees = "30", std::string minutes = "0", UnitSystem units = UnitSystem::Imperial)
{
    EscalatorEntry entry;
    entry.units = units;
    entry.projection = std::move(projection);
    entry.rise = std::move(rise);
    entry.width = std::move(width);
    entry.degrees = std::move(degrees);
    entry.minutes = std::move(minutes);
    return entry;
}

TEST(CalculateEscalator, ImperialExampleFillsEveryBoxOfTheReport)
{
    EscalatorEntry entry = escalator("100", "50", "40");
    entry.id = std::string(29, 'x') + "\xC3\xA9" + "overflow";
    const EscalatorResult result = CalculateEscalator(entry);
    EXPECT_FALSE(result.error);
    EXPECT_TRUE(result.warnings.empty());
    const ReportFields &report = result.report;
    EXPECT_EQ(report.imperial.structural, "22080");
    EXPECT_EQ(report.metric.brakeRunning, "6599.40");
    EXPECT_EQ(report.identification, std::string(29, 'x') + "\xC3\xA9")
        << "30 characters, the last one whole";
    EXPECT_EQ(report.degrees, "30");
    EXPECT_EQ(report.minutes, "0");
    EXPECT_EQ(report.cotangent, "1.732050");
    EXPECT_EQ(report.imperial.projection, "100");
    // The metric twins as the window fills them: cut, not rounded, to 7 characters.
    EXPECT_EQ(report.metric.projection, "30.4800");
    EXPECT_EQ(report.metric.rise, "15.2400");
    EXPECT_EQ(report.metric.width, "1016");
    EXPECT_EQ(report.imperial.machinery, "14549.2");
    EXPECT_EQ(report.metric.machinery, "6599.40");
    EXPECT_EQ(report.imperial.brakeRunning, "14549.2");
    EXPECT_EQ(report.metric.brakeStatic, "8673.50");
}

TEST(CalculateEscalator, AnIdentificationKeepsItsLastCharacterWhole)
{
    // An e and a combining acute accent are one character, as the user counts: the 30th.
    const std::string accented = std::string(29, 'x') + "e\xCC\x81";
    EscalatorEntry entry = escalator("100", "50", "");
    entry.id = accented + "overflow";
    // Refused escalators keep the identification too.
    EXPECT_EQ(CalculateEscalator(entry).report.identification, accented);
}

TEST(CalculateEscalator, MetricExampleTakesTheMetricBoxesAsTheSource)
{
    const EscalatorResult result
        = CalculateEscalator(escalator("30", "15", "1000", "30", "0", UnitSystem::Metric));
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.report.metric.width, "1000");
    EXPECT_EQ(result.report.imperial.width, "39.37");
    EXPECT_EQ(result.report.metric.structural, "9744.3");
    EXPECT_EQ(result.report.imperial.structural, "21482.5");
}

TEST(CalculateEscalator, RefusalsNameTheirColumnAndShowNoLoads)
{
    struct Case {
        const char *name;
        EscalatorEntry entry;
        const char *column;
        const char *prompt;
    };
    const Case cases[] = {
        { "missing width", escalator("100", "50", ""), "width",
            "Please make an entry in all four categories." },
        { "negative rise", escalator("100", "-5", "40"), "rise",
            "Please make an entry in all four categories." },
        { "no angle", escalator("100", "50", "40", "0", "0"), "degrees",
            "Please make an entry in all four categories." },
        { "rise with a unit", escalator("100", "12ft", "40"), "rise",
            "The total rise must be a plain number, without units or other characters. No loads "
            "were calculated." },
        { "angle above 31", escalator("100", "50", "40", "31", "1"), "degrees",
            "The angle of inclination shall be designed not to exceed 30 degrees plus 1 degree due "
            "to site conditions." },
        { "tangent of zero", escalator("100", "50", "40", "-1", "60"), "",
            "The rated loads cannot be calculated for these measurements and this angle of "
            "inclination. No loads were calculated." },
        { "too large", escalator("9999999", "50", "40"), "",
            "The rated loads for these measurements and this angle of inclination are too large "
            "for their boxes (10,000,000 or more). No loads were calculated." },
    };
    for (const Case &c : cases) {
        const EscalatorResult result = CalculateEscalator(c.entry);
        ASSERT_TRUE(result.error) << c.name;
        EXPECT_EQ(result.error->column, c.column) << c.name;
        EXPECT_EQ(result.error->text, c.prompt) << c.name;
        EXPECT_EQ(result.report.imperial.structural, "") << c.name;
        EXPECT_EQ(result.report.cotangent, "") << c.name;
    }
}

TEST(CalculateEscalator, AWidthOutOfRangeWarnsAndStillCalculates)
{
    const EscalatorResult result = CalculateEscalator(escalator("100", "50", "50"));
    EXPECT_FALSE(result.error);
    ASSERT_EQ(result.warnings.size(), 1u);
    EXPECT_EQ(result.warnings[0].column, "width");
    EXPECT_EQ(result.warnings[0].text,
        "The width of a step tread shall be not less than 22 inches nor more than 40 inches.");
    EXPECT_EQ(result.report.imperial.structural, "26680");
}

TEST(CalculateEscalator, TextsLongerThanTheirBoxes)
{
    // Only decimals lost: calculated with the kept text, as the window would, and said so.
    const EscalatorResult decimals = CalculateEscalator(escalator("100.00001", "50", "40", "30.5"));
    EXPECT_FALSE(decimals.error);
    ASSERT_EQ(decimals.warnings.size(), 2u);
    EXPECT_EQ(decimals.warnings[0].column, "projection");
    EXPECT_EQ(decimals.warnings[0].text,
        "The text \"100.00001\" for the horizontal projection is read as \"100.000\", as its box "
        "holds 7 characters.");
    EXPECT_EQ(decimals.warnings[1].column, "degrees");
    EXPECT_EQ(decimals.report.imperial.structural, "22080");
    EXPECT_EQ(decimals.report.degrees, "30");

    // Nothing is lost by a cut that keeps the number: no warning.
    EXPECT_TRUE(CalculateEscalator(escalator("100.0000000", "50", "40")).warnings.empty());

    // Whole digits or the exponent lost: the loads would be many times off, so none are given.
    for (const auto &[rise, column] :
        { std::pair { "12345678", "rise" }, { "1.5E+100", "rise" } }) {
        const EscalatorResult refused = CalculateEscalator(escalator("100", rise, "40"));
        ASSERT_TRUE(refused.error) << rise;
        EXPECT_EQ(refused.error->column, column);
        EXPECT_EQ(refused.report.imperial.machinery, "");
    }
    const EscalatorResult degrees = CalculateEscalator(escalator("100", "50", "40", "100"));
    ASSERT_TRUE(degrees.error);
    EXPECT_EQ(degrees.error->text,
        "The text \"100\" for the degrees does not fit in its box of 2 characters: it would be "
        "read "
        "as \"10\". No loads were calculated.");
}

TEST(CalculateEscalator, ATwinTooLargeForItsBoxIsAWarning)
{
    const EscalatorResult result
        = CalculateEscalator(escalator("9999999", "1", "1000", "30", "0", UnitSystem::Metric));
    ASSERT_FALSE(result.warnings.empty());
    EXPECT_EQ(result.warnings[0].column, "projection");
    EXPECT_EQ(result.warnings[0].text,
        "The horizontal projection in feet is too large to be shown in its box, so the box is left "
        "empty.");
}

} // namespace
} // namespace kestrune
