// SPDX-License-Identifier: GPL-3.0-or-later
// The rated-load arithmetic of both unit systems, digit for digit.

#include "core/ratedloads.h"

#include <gtest/gtest.h>

#include <limits>

namespace kestrune {
namespace {

// Numbers are one byte a character.
struct ByteCut : TextCut {
    std::string cut(std::string_view text, std::size_t length) const override
    {
        return std::string(text.substr(0, length));
    }
};

LoadOutcome ComputeRatedLoads(const LoadFactors &factors, const LoadInputs &inputs)
{
    return kestrune::ComputeRatedLoads(factors, inputs, ByteCut());
}

TEST(RatedLoads, WorkedExamplesGiveTheWindowsDigitsInBothUnitSystems)
{
    struct Case {
        const char *name;
        const LoadFactors &factors;
        LoadInputs inputs;
        // Own and twin of each load, then the cotangent.
        const char *texts[7];
    };
    const Case cases[] = {
        // 14549.2268036814 kept as 14549.2; its twin is converted from the kept text:
        // 14549.2 x 0.45359237 = 6599.406109604, kept as 6599.40. The window's radians-per-degree
        // factor makes the cotangent 1.73205080996207.
        { "Imperial", kImperialLoads, { 100, 50, 40, 30, 0 },
            { "22080", "10015.3", "14549.2", "6599.40", "19121.8", "8673.50", "1.732050" } },
        { "Metric", kMetricLoads, { 30, 15, 1000, 30, 0 },
            { "9744.3", "21482.5", "6563.51", "14470.0", "8438.81", "18604.3", "1.732050" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const LoadOutcome result = ComputeRatedLoads(c.factors, c.inputs);
        ASSERT_TRUE(result.refusal.passed());
        const LoadTexts &t = result.texts;
        const std::string shown[] = { t.structuralOwn, t.structuralOther, t.machineryOwn,
            t.machineryOther, t.brakeStaticOwn, t.brakeStaticOther, t.cotangent };
        for (std::size_t i = 0; i < std::size(shown); ++i)
            EXPECT_EQ(shown[i], c.texts[i]) << "result " << i;
    }
}

TEST(RatedLoads, ProjectionChangesOnlyTheStructuralLoadAndRiseEverythingElse)
{
    const LoadTexts base = ComputeRatedLoads(kImperialLoads, { 100, 50, 40, 30, 0 }).texts;
    const LoadTexts longer = ComputeRatedLoads(kImperialLoads, { 120, 50, 40, 30, 0 }).texts;
    const LoadTexts higher = ComputeRatedLoads(kImperialLoads, { 100, 60, 40, 30, 0 }).texts;
    EXPECT_NE(longer.structuralOwn, base.structuralOwn);
    EXPECT_EQ(longer.machineryOwn, base.machineryOwn);
    EXPECT_EQ(longer.brakeStaticOwn, base.brakeStaticOwn);
    EXPECT_EQ(higher.structuralOwn, base.structuralOwn);
    EXPECT_NE(higher.machineryOwn, base.machineryOwn);
    EXPECT_NE(higher.brakeStaticOwn, base.brakeStaticOwn);
    EXPECT_EQ(higher.cotangent, base.cotangent);
}

TEST(RatedLoads, HalfADegreeGivesLoadsThatStillFit)
{
    // Degrees 0 with minutes 30 is a present angle of half a degree.
    const LoadOutcome result = ComputeRatedLoads(kImperialLoads, { 100, 50, 40, 0, 30 });
    ASSERT_TRUE(result.refusal.passed());
    EXPECT_EQ(result.texts.cotangent, "114.5886");
    // 50 x 114.588650... x 48 x 3.5 = 962544.66..., kept as 962544. with its point.
    EXPECT_EQ(result.texts.machineryOwn, "962544.");
}

TEST(RatedLoads, ZeroTangentOrHugeInputsCannotBeComputed)
{
    // Degrees -1 with minutes 60 make the angle exactly 0: the tangent is 0.
    EXPECT_EQ(ComputeRatedLoads(kImperialLoads, { 100, 50, 40, -1, 60 }).refusal.reason,
        Reason::NotComputable);
    const double huge = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ComputeRatedLoads(kImperialLoads, { huge, 50, 40, 30, 0 }).refusal.reason,
        Reason::NotComputable);
    EXPECT_EQ(ComputeRatedLoads(kMetricLoads, { 30, 1e300, 1e300, 30, 0 }).refusal.reason,
        Reason::NotComputable);
}

TEST(RatedLoads, LoadsOfTenMillionOrMoreAreTooLargeForTheirBoxes)
{
    // One minute of inclination: the machinery load has eight integer digits.
    EXPECT_EQ(ComputeRatedLoads(kImperialLoads, { 100, 500, 40, 0, 1 }).refusal.reason,
        Reason::LoadsTooLarge);
    // 9,999,999 lb fits; its twin in kilograms fits too.
    EXPECT_EQ(ComputeRatedLoads(kImperialLoads, { 45289.85, 1, 40, 30, 0 }).refusal.passed(), true);
    // A metric load that fits in kilograms but whose twin in pounds would not.
    const LoadOutcome metric = ComputeRatedLoads(kMetricLoads, { 30000, 1, 1000, 30, 0 });
    EXPECT_EQ(metric.refusal.reason, Reason::LoadsTooLarge);
}

} // namespace
} // namespace kestrune
