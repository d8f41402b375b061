// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's input checks as verdicts: which inputs pass, which message the others get,
// why, and which box it is about.

#include "core/checks.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

const char *const kNegative = "What kind of escalator has a negative angle of inclination? ";
const char *const kExceeds = "The angle of inclination shall be designed not to exceed 30 degrees "
                             "plus 1 degree due to site conditions.";

struct AngleCase {
    const char *name;
    const char *degrees;
    const char *minutes;
    const char *prompt; // null: the angle passes
};

// Listed and reported under its name.
void PrintTo(const AngleCase &c, std::ostream *os)
{
    *os << c.name;
}

class AngleCheck : public testing::TestWithParam<AngleCase> { };

TEST_P(AngleCheck, KeepsTheAngleFromZeroTo31DegreesBothIncluded)
{
    const AngleCase &c = GetParam();
    const Verdict verdict = CheckAngle(c.degrees, c.minutes);
    if (!c.prompt) {
        EXPECT_TRUE(verdict.passed()) << verdict.message->prompt;
        return;
    }
    ASSERT_FALSE(verdict.passed());
    EXPECT_EQ(*verdict.message, (Message { "Angle of Inclination", c.prompt, Stop }));
    EXPECT_EQ(verdict.reason, Reason::AngleOutOfRange);
    EXPECT_EQ(verdict.box, Box::Degrees);
}

INSTANTIATE_TEST_SUITE_P(Cases, AngleCheck,
    testing::Values(AngleCase { "ThirtyOneDegreesPass", "31", "0", nullptr },
        AngleCase { "OneMinuteMoreExceeds", "31", "1", kExceeds },
        AngleCase { "ZeroPasses", "0", "0", nullptr },
        AngleCase { "EmptyBoxesReadAsZero", "", "", nullptr },
        AngleCase { "LettersReadAsZero", "ab", "cd", nullptr },
        AngleCase { "MinusOneDegreeIsNegative", "-1", "0", kNegative },
        AngleCase { "MinusOneDegreeAndSixtyMinutesIsExactlyZero", "-1", "60", nullptr },
        AngleCase { "MinutesCountAsSixtieths", "30", "60", nullptr },
        AngleCase { "NinetyMinutesOverThirtyDegreesExceed", "30", "90", kExceeds },
        AngleCase { "NinetyNineDegreesExceed", "99", "99", kExceeds },
        AngleCase { "NegativeDegreesWinOverLargeMinutes", "-5", "99", kNegative },
        AngleCase { "NegativeMinutesAlone", "0", "-1", kNegative }),
    [](const testing::TestParamInfo<AngleCase> &info) { return info.param.name; });

struct WidthCase {
    const char *name;
    UnitSystem system;
    const char *width;
    bool warns;
};

// Listed and reported under its name.
void PrintTo(const WidthCase &c, std::ostream *os)
{
    *os << c.name;
}

class StepWidthCheck : public testing::TestWithParam<WidthCase> { };

TEST_P(StepWidthCheck, WarnsOutsideThePermittedRangeAndSkipsAWidthOfZero)
{
    const WidthCase &c = GetParam();
    const Verdict verdict = CheckStepWidth(c.width, c.system);
    EXPECT_EQ(!verdict.passed(), c.warns);
    if (verdict.passed()) return;
    EXPECT_EQ(verdict.message->title, "Incorrect Step Width");
    EXPECT_EQ(verdict.message->style, Stop);
    EXPECT_EQ(verdict.reason, Reason::StepWidthOutOfRange);
    EXPECT_EQ(verdict.box, BoxOf(Quantity::Width, c.system));
}

INSTANTIATE_TEST_SUITE_P(Cases, StepWidthCheck,
    testing::Values(WidthCase { "InchesJustBelow", UnitSystem::Imperial, "21.9", true },
        WidthCase { "InchesLowestPasses", UnitSystem::Imperial, "22", false },
        WidthCase { "InchesHighestPasses", UnitSystem::Imperial, "40", false },
        WidthCase { "InchesJustAbove", UnitSystem::Imperial, "40.5", true },
        WidthCase { "InchesNegative", UnitSystem::Imperial, "-30", true },
        WidthCase { "EmptyIsNotChecked", UnitSystem::Imperial, "", false },
        WidthCase { "ZeroIsNotChecked", UnitSystem::Imperial, "0", false },
        WidthCase { "LettersAreNotChecked", UnitSystem::Imperial, "wide", false },
        WidthCase {
            "MillimetresOfTheRightWidthAreTooManyInches", UnitSystem::Imperial, "1020", true },
        WidthCase { "MillimetresJustBelow", UnitSystem::Metric, "559", true },
        WidthCase { "MillimetresLowestPasses", UnitSystem::Metric, "560", false },
        WidthCase { "MillimetresHighestPasses", UnitSystem::Metric, "1020", false },
        WidthCase { "MillimetresJustAbove", UnitSystem::Metric, "1021", true },
        WidthCase { "InchesAreTooFewMillimetres", UnitSystem::Metric, "40", true }),
    [](const testing::TestParamInfo<WidthCase> &info) { return info.param.name; });

TEST(StepWidthCheck, NamesTheRangeOfItsUnitSystem)
{
    EXPECT_EQ(CheckStepWidth("50", UnitSystem::Imperial).message->prompt,
        "The width of a step tread shall be not less than 22 inches nor more than 40 inches.");
    EXPECT_EQ(CheckStepWidth("50", UnitSystem::Metric).message->prompt,
        "The width of a step tread shall be not less than 560 mm nor more than 1020 mm.");
}

struct PresenceCase {
    const char *name;
    LoadInputTexts inputs;
    std::optional<Box> missing; // the first measurement missing, in metric units
};

// Listed and reported under its name.
void PrintTo(const PresenceCase &c, std::ostream *os)
{
    *os << c.name;
}

class PresenceCheck : public testing::TestWithParam<PresenceCase> { };

TEST_P(PresenceCheck, NeedsEveryMeasurementPositive)
{
    const PresenceCase &c = GetParam();
    const Verdict verdict = CheckPresence(c.inputs, UnitSystem::Metric);
    EXPECT_EQ(verdict.passed(), !c.missing);
    if (verdict.passed()) return;
    EXPECT_EQ(verdict.reason, Reason::MissingMeasurement);
    EXPECT_EQ(verdict.box, c.missing);
    EXPECT_EQ(*verdict.message,
        (Message {
            "Insufficient Data", "Please make an entry in all four categories.", Information }));
}

INSTANTIATE_TEST_SUITE_P(Cases, PresenceCheck,
    testing::Values(PresenceCase { "AllFour", { "100", "50", "40", "30", "0" }, std::nullopt },
        PresenceCase { "NoProjection", { "", "50", "40", "30", "0" }, Box::ProjectionMetric },
        PresenceCase { "ZeroRise", { "100", "0", "40", "30", "0" }, Box::RiseMetric },
        PresenceCase { "NegativeWidth", { "100", "50", "-40", "30", "0" }, Box::WidthMetric },
        PresenceCase { "LettersForAWidth", { "100", "50", "wide", "30", "0" }, Box::WidthMetric },
        PresenceCase { "NoAngle", { "100", "50", "40", "0", "0" }, Box::Degrees },
        // The first missing one is named.
        PresenceCase { "NothingAtAll", { "", "", "", "", "" }, Box::ProjectionMetric },
        PresenceCase { "NoRiseAndNoAngle", { "100", "", "40", "0", "" }, Box::RiseMetric },
        PresenceCase { "MinutesAloneAreAnAngle", { "100", "50", "40", "0", "30" }, std::nullopt },
        // Degrees and minutes are added as typed: -1 and 60 make 59, not 0.
        PresenceCase { "MinutesAreAddedAsTyped", { "100", "50", "40", "-1", "60" }, std::nullopt },
        PresenceCase {
            "ARiseWithUnitsIsPresent", { "100", "12ft", "40", "30", "0" }, std::nullopt }),
    [](const testing::TestParamInfo<PresenceCase> &info) { return info.param.name; });

} // namespace
} // namespace kestrune
