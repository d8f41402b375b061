// SPDX-License-Identifier: GPL-3.0-or-later
// Text in, text out: the twin conversions and the whole of Calculate as the main window shows it.

#include "core/calculation.h"
#include "core/conversions.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

struct TwinCase {
    const char *name;
    Measurement measurement;
    UnitSystem from;
    const char *text;
    const char *twin; // null: too large for the twin's box
    const char *quantity = nullptr; // as the message names the twin
};

// Listed and reported under its name.
void PrintTo(const TwinCase &c, std::ostream *os)
{
    *os << c.name;
}

class TwinConversion : public testing::TestWithParam<TwinCase> { };

TEST_P(TwinConversion, ShowsTheTextTheTwinKeepsOrLeavesItEmpty)
{
    const TwinCase &c = GetParam();
    const TwinText twin = ConvertTwin(c.measurement, c.from, c.text);
    if (c.twin) {
        EXPECT_EQ(twin.text, c.twin);
        EXPECT_EQ(twin.tooLarge, std::nullopt);
        return;
    }
    EXPECT_EQ(twin.text, "");
    ASSERT_TRUE(twin.tooLarge);
    EXPECT_EQ(*twin.tooLarge,
        (Message { "Conversion Too Large",
            std::string("The ") + c.quantity
                + " is too large to be shown in its box, so the box is left empty.",
            Stop }));
}

constexpr Measurement kProjection = Measurement::Projection;
constexpr Measurement kRise = Measurement::Rise;
constexpr Measurement kWidth = Measurement::Width;
constexpr UnitSystem kImperial = UnitSystem::Imperial;
constexpr UnitSystem kMetric = UnitSystem::Metric;

INSTANTIATE_TEST_SUITE_P(Cases, TwinConversion,
    testing::Values(
        // Survey feet: 10 feet are 3.0480060960122 metres, cut (not rounded) to 7 characters.
        TwinCase { "TenFeetAreCutNotRounded", kProjection, kImperial, "10", "3.04800" },
        TwinCase { "TwelveFeet", kRise, kImperial, "12", "3.65760" },
        // International feet back: the factors are not reciprocals.
        TwinCase { "MetresBackToFeet", kProjection, kMetric, "10.0584", "33.0000" },
        TwinCase { "OneMetre", kRise, kMetric, "1", "3.28083" },
        TwinCase { "InchesToMillimetres", kWidth, kImperial, "40", "1016" },
        TwinCase { "MillimetresToWholeInches", kWidth, kMetric, "609.6", "24" },
        TwinCase { "MillimetresToInchesInHundredths", kWidth, kMetric, "1000", "39.37" },
        TwinCase { "OneMillimetreRoundsUpToHundredths", kWidth, kMetric, "1", "0.04" },
        TwinCase { "EmptyConvertsAsZero", kRise, kImperial, "", "0" },
        TwinCase { "LettersConvertAsZero", kWidth, kMetric, "wide", "0" },
        TwinCase { "LeadingNumberIsRead", kProjection, kImperial, "10ft", "3.04800" },
        // Positional form, cut like any other: never an exponent a 7-character box would mangle.
        TwinCase { "TinyValuesShowAsZeros", kWidth, kImperial, "1E-300", "0.00000" },
        TwinCase { "WholeDigitsLost", kProjection, kMetric, "9999999", nullptr,
            "horizontal projection in feet" },
        TwinCase { "ExponentLost", kProjection, kImperial, "1E20", nullptr,
            "horizontal projection in meters" },
        TwinCase { "BeyondADouble", kRise, kMetric, "1E999", nullptr, "total rise in feet" },
        TwinCase { "WidthInInches", kWidth, kMetric, "1E300", nullptr, "step width in inches" },
        TwinCase { "WidthInMillimetres", kWidth, kImperial, "1E10", nullptr,
            "step width in millimeters" }),
    [](const testing::TestParamInfo<TwinCase> &info) { return info.param.name; });

} // namespace

// Failures list the nine texts in the order the window's report gives them.
void PrintTo(const ResultTexts &r, std::ostream *os)
{
    *os << "{ cotangent " << r.cotangent << ", lb " << r.structuralLb << ' ' << r.machineryLb << ' '
        << r.brakeStaticLb << ' ' << r.brakeRunningLb << ", kg " << r.structuralKg << ' '
        << r.machineryKg << ' ' << r.brakeStaticKg << ' ' << r.brakeRunningKg << " }";
}

namespace {

const ResultTexts kImperialExample { "1.732050", "22080", "10015.3", "14549.2", "6599.40",
    "19121.8", "8673.50", "14549.2", "6599.40" };

TEST(Calculate, ImperialWorkedExampleShowsEveryBoxByUnit)
{
    const LoadCalculation c = CalculateLoads({ "100", "50", "40", "30", "0" }, kImperial);
    EXPECT_FALSE(c.angleRefused || c.warning || c.error);
    EXPECT_EQ(c.results, kImperialExample);
}

TEST(Calculate, MetricWorkedExampleWritesKilogramsFirstAndConvertsToPounds)
{
    const LoadCalculation c = CalculateLoads({ "30", "15", "1000", "30", "0" }, kMetric);
    EXPECT_FALSE(c.angleRefused || c.warning || c.error);
    EXPECT_EQ(c.results,
        (ResultTexts { "1.732050", "21482.5", "9744.3", "14470.0", "6563.51", "18604.3", "8438.81",
            "14470.0", "6563.51" }));
}

TEST(Calculate, RefusedAngleIsPutBackToThirtyDegreesAndTheLoadsFollow)
{
    const LoadCalculation c = CalculateLoads({ "100", "50", "40", "35", "0" }, kImperial);
    ASSERT_TRUE(c.angleRefused);
    EXPECT_EQ(c.angleRefused->title, "Angle of Inclination");
    EXPECT_EQ(c.degrees, "30");
    EXPECT_EQ(c.minutes, "0");
    EXPECT_FALSE(c.error);
    EXPECT_EQ(c.results, kImperialExample);
}

TEST(Calculate, StepWidthOutOfRangeWarnsAndStillCalculatesWithTheWidthAsTyped)
{
    const LoadCalculation c = CalculateLoads({ "100", "50", "50", "30", "0" }, kImperial);
    ASSERT_TRUE(c.warning);
    EXPECT_EQ(c.warning->title, "Incorrect Step Width");
    EXPECT_FALSE(c.error);
    // (50 + 8) x 100 x 4.6
    EXPECT_EQ(c.results.structuralLb, "26680");
}

TEST(Calculate, MissingMeasurementStopsBeforeTheStepWidthIsChecked)
{
    const LoadCalculation c = CalculateLoads({ "", "50", "50", "30", "0" }, kImperial);
    ASSERT_TRUE(c.error);
    EXPECT_EQ(c.error->title, "Insufficient Data");
    EXPECT_FALSE(c.warning);
    EXPECT_EQ(c.results, ResultTexts {});
}

TEST(Calculate, RefusalsOfTheLoadsComeAfterTheStepWidthWarningAndShowNoResult)
{
    struct Case {
        const char *name;
        UnitSystem system;
        LoadInputTexts inputs;
        const char *title;
        bool warned = false; // the step width is out of range
        FocusField box = FocusField::Unchanged; // the measurement refused
    };
    const Case cases[] = {
        { "RiseWithUnits", kImperial, { "100", "12ft", "40", "30", "0" }, "Incorrect Total Rise" },
        { "RiseWithUnitsAndTooWideAStep", kImperial, { "100", "12ft", "50", "30", "0" },
            "Incorrect Total Rise", true },
        // A thousands separator would compute the loads of 1 ft; a decimal comma those of 100.
        { "ProjectionWithAThousandsComma", kImperial, { "1,200", "50", "40", "30", "0" },
            "Incorrect Horizontal Projection", false, FocusField::Projection },
        { "MetricProjectionWithADecimalComma", kMetric, { "30,5", "15", "1000", "30", "0" },
            "Incorrect Horizontal Projection", false, FocusField::Projection },
        { "WidthWithADecimalComma", kImperial, { "100", "50", "39,5", "30", "0" },
            "Incorrect Step Width", false, FocusField::StepWidth },
        // 100 mm is warned about, then 100,5 is refused.
        { "MetricWidthWithADecimalComma", kMetric, { "30", "15", "100,5", "30", "0" },
            "Incorrect Step Width", true, FocusField::StepWidth },
        { "WidthWithUnits", kImperial, { "100", "50", "40in", "30", "0" }, "Incorrect Step Width",
            false, FocusField::StepWidth },
        { "MetricStepTooNarrowAndTooLarge", kMetric, { "30000", "1", "500", "30", "0" },
            "Result Too Large", true },
        // Degrees -1 with minutes 60 pass both checks and make the tangent exactly 0.
        { "ZeroTangent", kImperial, { "100", "50", "40", "-1", "60" }, "Cannot Calculate" },
        { "OneMinuteOfInclination", kImperial, { "100", "500", "40", "0", "1" },
            "Result Too Large" },
        // 9,744,300 kg fit their box; their twin in pounds has eight whole digits.
        { "PoundsTooManyForTheirBox", kMetric, { "30000", "1", "1000", "30", "0" },
            "Result Too Large" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const LoadCalculation result = CalculateLoads(c.inputs, c.system);
        EXPECT_EQ(result.warning.has_value(), c.warned);
        ASSERT_TRUE(result.error);
        EXPECT_EQ(result.error->title, c.title);
        EXPECT_EQ(result.error->style, Stop);
        EXPECT_EQ(result.errorBox, c.box);
        EXPECT_EQ(result.results, ResultTexts {});
    }
}

TEST(Calculate, ARefusedMeasurementIsNamedAndTheDecimalPointExplained)
{
    const LoadCalculation projection
        = CalculateLoads({ "1,200", "50", "40", "30", "0" }, kImperial);
    ASSERT_TRUE(projection.error);
    EXPECT_EQ(projection.error->prompt,
        "The horizontal projection must be a plain number, without units or other characters. A "
        "point is the decimal separator. No loads were calculated.");
    const LoadCalculation width = CalculateLoads({ "30", "15", "1000,5", "30", "0" }, kMetric);
    ASSERT_TRUE(width.error);
    EXPECT_EQ(width.error->prompt,
        "The width of the step must be a plain number, without units or other characters. A point "
        "is the decimal separator. No loads were calculated.");
    // Blanks around a number and the forms a number may take pass.
    const LoadCalculation plain = CalculateLoads({ " 100 ", "50.", ".4E2", "30", "0" }, kImperial);
    EXPECT_FALSE(plain.error);
    EXPECT_EQ(plain.results, kImperialExample);
}

} // namespace
} // namespace kestrune
