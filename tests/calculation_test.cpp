// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands as the core writes them once: every write, message and focus move a
// command makes, in order, on boxes that record them.

#include "core/calculation.h"

#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

namespace kestrune {
namespace {

// The boxes by their window names, which the records use.
constexpr const char *kNames[kBoxCount] = { "txtProjImp", "txtProjMet", "txtRiseImp", "txtRiseMet",
    "txtWidthImp", "txtWidthMet", "txtStructImp", "txtStructMet", "txtMachImp", "txtMachMet",
    "txtBrakeStopImp", "txtBrakeStopMet", "txtBrakeRunImp", "txtBrakeRunMet", "txtDeg", "txtMin",
    "txtCotangent", "txtID" };

std::string nameOf(Box box)
{
    return kNames[static_cast<std::size_t>(box)];
}

// A row of texts that records "txtProjMet=3.04800" for a write that changes a text, "tell TITLE
// (box)" for a message and "focus txtDeg" for a focus move.
class RecordingBoxes : public EscalatorBoxes {
public:
    explicit RecordingBoxes(UnitSystem source = UnitSystem::Imperial) : m_source(source)
    {
        texts[static_cast<std::size_t>(Box::Degrees)] = "30";
        texts[static_cast<std::size_t>(Box::Minutes)] = "0";
    }
    // Typed in earlier: set without a record or change handling.
    void put(Box box, std::string text) { texts[static_cast<std::size_t>(box)] = std::move(text); }
    std::vector<std::string> take() { return std::exchange(log, {}); }

    UnitSystem source() const override { return m_source; }
    std::string text(Box box) const override { return texts[static_cast<std::size_t>(box)]; }
    // Numbers are one byte a character.
    std::string cut(std::string_view text, std::size_t length) const override
    {
        return std::string(text.substr(0, length));
    }
    void write(Box box, std::string_view text) override
    {
        const std::string kept = cut(text, BoxLength(box));
        if (kept == texts[static_cast<std::size_t>(box)]) return;
        texts[static_cast<std::size_t>(box)] = kept;
        log.push_back(nameOf(box) + "=" + kept);
        BoxChanged(*this, box);
    }
    void tell(const Verdict &verdict) override
    {
        ASSERT_TRUE(verdict.message);
        told.push_back(verdict);
        log.push_back("tell " + verdict.message->title + " ("
            + (verdict.box ? nameOf(*verdict.box) : std::string("-")) + ")");
    }
    void focus(Box box) override { log.push_back("focus " + nameOf(box)); }

    std::array<std::string, kBoxCount> texts;
    std::vector<std::string> log;
    std::vector<Verdict> told;

private:
    UnitSystem m_source;
};

using Log = std::vector<std::string>;

RecordingBoxes typed(UnitSystem source, const char *projection, const char *rise, const char *width,
    const char *degrees = "30", const char *minutes = "0")
{
    RecordingBoxes boxes(source);
    boxes.put(BoxOf(Quantity::Projection, source), projection);
    boxes.put(BoxOf(Quantity::Rise, source), rise);
    boxes.put(BoxOf(Quantity::Width, source), width);
    boxes.put(Box::Degrees, degrees);
    boxes.put(Box::Minutes, minutes);
    return boxes;
}

TEST(Calculate, WorkedExamplesWriteEachPairInTheSourceSystemFirst)
{
    RecordingBoxes imperial = typed(UnitSystem::Imperial, "100", "50", "40");
    Calculate(imperial);
    EXPECT_EQ(imperial.take(),
        (Log { "txtStructImp=22080", "txtStructMet=10015.3", "txtMachImp=14549.2",
            "txtMachMet=6599.40", "txtBrakeRunImp=14549.2", "txtBrakeRunMet=6599.40",
            "txtBrakeStopImp=19121.8", "txtBrakeStopMet=8673.50", "txtCotangent=1.732050" }));
    // Kilograms first, pounds converted from the kept text.
    RecordingBoxes metric = typed(UnitSystem::Metric, "30", "15", "1000");
    Calculate(metric);
    EXPECT_EQ(metric.take(),
        (Log { "txtStructMet=9744.3", "txtStructImp=21482.5", "txtMachMet=6563.51",
            "txtMachImp=14470.0", "txtBrakeRunMet=6563.51", "txtBrakeRunImp=14470.0",
            "txtBrakeStopMet=8438.81", "txtBrakeStopImp=18604.3", "txtCotangent=1.732050" }));
}

TEST(Calculate, RefusedAngleIsPutBackNestedUntilBothBoxesHoldIt)
{
    // 100.65 degrees; with the degrees put back the nested check sees 31.65 and refuses again.
    RecordingBoxes boxes = typed(UnitSystem::Imperial, "100", "50", "40", "99", "99");
    Calculate(boxes);
    const Log log = boxes.take();
    ASSERT_GE(log.size(), 8u);
    EXPECT_EQ(Log(log.begin(), log.begin() + 8),
        (Log { "tell Angle of Inclination (txtDeg)", "txtDeg=30",
            "tell Angle of Inclination (txtDeg)", "txtMin=0", "focus txtMin", "focus txtDeg",
            "focus txtMin", "focus txtDeg" }));
    // The loads are then those of 30 degrees.
    EXPECT_EQ(log.back(), "txtCotangent=1.732050");
    EXPECT_EQ(boxes.text(Box::StructuralImperial), "22080");
}

TEST(Calculate, MissingMeasurementStopsBeforeTheStepWidthAndNamesTheMeasurement)
{
    RecordingBoxes boxes = typed(UnitSystem::Metric, "30", "", "2000");
    Calculate(boxes);
    EXPECT_EQ(boxes.take(), (Log { "tell Insufficient Data (txtRiseMet)" }));
    EXPECT_EQ(boxes.told.at(0).reason, Reason::MissingMeasurement);
}

TEST(Calculate, StepWidthOutOfRangeWarnsFocusesTheBoxAndStillCalculates)
{
    RecordingBoxes boxes = typed(UnitSystem::Imperial, "100", "50", "50");
    Calculate(boxes);
    const Log log = boxes.take();
    EXPECT_EQ(Log(log.begin(), log.begin() + 3),
        (Log { "tell Incorrect Step Width (txtWidthImp)", "focus txtWidthImp",
            "txtStructImp=26680" })); // (50 + 8) x 100 x 4.6
    EXPECT_EQ(boxes.told.at(0).reason, Reason::StepWidthOutOfRange);
}

TEST(Calculate, RefusalsOfTheLoadsWriteNoResult)
{
    struct Case {
        const char *name;
        RecordingBoxes boxes;
        Log log;
        Reason reason;
    };
    Case cases[] = {
        // A thousands separator would compute the loads of 1 ft: the box is to be typed again.
        { "ProjectionWithAThousandsComma", typed(UnitSystem::Imperial, "1,200", "50", "40"),
            { "tell Incorrect Horizontal Projection (txtProjImp)", "focus txtProjImp" },
            Reason::NotAPlainNumber },
        // The rise's refusal leaves the focus where it was.
        { "RiseWithUnits", typed(UnitSystem::Imperial, "100", "12ft", "40"),
            { "tell Incorrect Total Rise (txtRiseImp)" }, Reason::NotAPlainNumber },
        // 100 mm is warned about, then 100,5 is refused.
        { "MetricWidthWithADecimalComma", typed(UnitSystem::Metric, "30", "15", "100,5"),
            { "tell Incorrect Step Width (txtWidthMet)", "focus txtWidthMet",
                "tell Incorrect Step Width (txtWidthMet)", "focus txtWidthMet" },
            Reason::NotAPlainNumber },
        // Degrees -1 with minutes 60 pass both checks and make the tangent exactly 0.
        { "ZeroTangent", typed(UnitSystem::Imperial, "100", "50", "40", "-1", "60"),
            { "tell Cannot Calculate (-)" }, Reason::NotComputable },
        // 9,744,300 kg fit their box; their twin in pounds has eight whole digits.
        { "PoundsTooManyForTheirBox", typed(UnitSystem::Metric, "30000", "1", "1000"),
            { "tell Result Too Large (-)" }, Reason::LoadsTooLarge },
    };
    for (Case &c : cases) {
        SCOPED_TRACE(c.name);
        Calculate(c.boxes);
        EXPECT_EQ(c.boxes.take(), c.log);
        EXPECT_EQ(c.boxes.told.back().reason, c.reason);
    }
}

TEST(BoxChanged, TypingAMeasurementWritesItsTwinAndBlanksTheResults)
{
    RecordingBoxes boxes = typed(UnitSystem::Imperial, "100", "50", "40");
    Calculate(boxes);
    boxes.take();
    boxes.write(Box::ProjectionImperial, "10");
    EXPECT_EQ(boxes.take(),
        (Log { "txtProjImp=10", "txtProjMet=3.04800",
            "txtStructImp=", "txtMachImp=", "txtBrakeStopImp=", "txtBrakeRunImp=", "txtStructMet=",
            "txtMachMet=", "txtBrakeStopMet=", "txtBrakeRunMet=", "txtCotangent=" }));
    // The twin of the other system converts nothing back.
    boxes.write(Box::ProjectionMetric, "5");
    EXPECT_EQ(boxes.take(), (Log { "txtProjMet=5" }));
}

TEST(BoxChanged, TwinTooLargeForItsBoxIsLeftEmptyAndTold)
{
    RecordingBoxes boxes(UnitSystem::Metric);
    boxes.write(Box::ProjectionMetric, "9999999");
    EXPECT_EQ(
        boxes.take(), (Log { "txtProjMet=9999999", "tell Conversion Too Large (txtProjImp)" }));
    EXPECT_EQ(boxes.told.at(0).reason, Reason::TwinTooLarge);
    EXPECT_EQ(boxes.told.at(0).message->prompt,
        "The horizontal projection in feet is too large to be shown in its box, so the box is left "
        "empty.");
}

TEST(BoxChanged, AnAngleKeystrokeIsCheckedAtOnce)
{
    RecordingBoxes boxes;
    boxes.write(Box::Degrees, "35");
    EXPECT_EQ(boxes.take(),
        (Log { "txtDeg=35", "tell Angle of Inclination (txtDeg)", "txtDeg=30", "focus txtMin",
            "focus txtDeg" }));
}

TEST(StepWidthCheck, LeavingTheConvertedTwinWarnsWithoutHoldingTheFocusThere)
{
    // 1020 mm show as 40.16 inches, which the imperial check refuses.
    RecordingBoxes boxes(UnitSystem::Metric);
    boxes.write(Box::WidthMetric, "1020");
    boxes.take();
    RunStepWidthCheck(boxes, UnitSystem::Imperial);
    EXPECT_EQ(boxes.take(), (Log { "tell Incorrect Step Width (txtWidthImp)" }));
}

TEST(Clear, InMetricModeLeavesTheImperialBoxesEmptyNotZero)
{
    RecordingBoxes boxes = typed(UnitSystem::Metric, "30", "15", "1000");
    ConvertMeasurements(boxes);
    boxes.put(Box::Identification, "E1");
    Clear(boxes);
    for (const Box box : { Box::ProjectionImperial, Box::ProjectionMetric, Box::RiseImperial,
             Box::WidthImperial, Box::Minutes, Box::Cotangent })
        EXPECT_EQ(boxes.text(box), "") << nameOf(box);
    EXPECT_EQ(boxes.text(Box::Degrees), "30");
    EXPECT_EQ(boxes.text(Box::Identification), "E1");
    EXPECT_EQ(boxes.log.back(), "focus txtProjMet");
}

struct TwinCase {
    const char *name;
    Quantity measurement;
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
    RecordingBoxes boxes(c.from);
    const Box twin = BoxOf(c.measurement, OtherSystem(c.from));
    boxes.put(twin, "old");
    boxes.put(BoxOf(c.measurement, c.from), c.text);
    BoxChanged(boxes, BoxOf(c.measurement, c.from));
    if (c.twin) {
        EXPECT_EQ(boxes.text(twin), c.twin);
        EXPECT_TRUE(boxes.told.empty());
        return;
    }
    EXPECT_EQ(boxes.text(twin), "");
    ASSERT_EQ(boxes.told.size(), 1u);
    EXPECT_EQ(boxes.told[0].message,
        (Message { "Conversion Too Large",
            std::string("The ") + c.quantity
                + " is too large to be shown in its box, so the box is left empty.",
            Stop }));
}

constexpr Quantity kProjection = Quantity::Projection;
constexpr Quantity kRise = Quantity::Rise;
constexpr Quantity kWidth = Quantity::Width;
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
} // namespace kestrune
