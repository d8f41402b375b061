// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calculation.h"

#include "core/numbers.h"
#include "core/ratedloads.h"

#include <cmath>

namespace kestrune {

namespace {

// The twin conversions. Feet become metres by the survey foot (1200/3937 m), metres become feet
// by the international foot; the two factors are not reciprocals, so 33 feet come back as 33.0000
// after a switch to metric and back. Inches become millimetres by 25.4; millimetres become inches
// rounded to hundredths. A text that does not begin with a number converts as 0.
struct TwinRule {
    double factor;
    bool toHundredths;
    const char *quantity; // as the message names the twin
};

// By measurement, then by the unit system converted from.
constexpr TwinRule kTwinRules[3][2] = {
    { { 0.30480060960122, false, "horizontal projection in meters" },
        { 3.28083989501313, false, "horizontal projection in feet" } },
    { { 0.30480060960122, false, "total rise in meters" },
        { 3.28083989501313, false, "total rise in feet" } },
    { { 25.4, false, "step width in millimeters" },
        { 0.03937007874016, true, "step width in inches" } },
};

// Writes the twin of the source measurement `box`. A converted value that would show in the
// twin's box as a number many times too small, or is no number at all, leaves the twin empty and
// is told.
void writeTwin(EscalatorBoxes &boxes, Box box)
{
    const TwinRule &rule
        = kTwinRules[static_cast<int>(QuantityOf(box))][static_cast<int>(SystemOf(box))];
    double value = ParseNumber(boxes.text(box)) * rule.factor;
    if (rule.toHundredths) value = RoundHalfEven(value, 2);
    const std::string converted = NumberToText(value);
    const std::string kept = boxes.cut(converted, kMeasurementLength);
    const Box twin = BoxOf(QuantityOf(box), OtherSystem(SystemOf(box)));
    if (std::isfinite(value) && KeepsMagnitude(converted, kept)) {
        boxes.write(twin, kept);
        return;
    }
    boxes.write(twin, {});
    boxes.tell({ Message { "Conversion Too Large",
                     std::string("The ") + rule.quantity
                         + " is too large to be shown in its box, so the box is left empty.",
                     Stop },
        Reason::TwinTooLarge, twin });
}

LoadInputTexts sourceTexts(const EscalatorBoxes &boxes)
{
    const UnitSystem s = boxes.source();
    return { boxes.text(BoxOf(Quantity::Projection, s)), boxes.text(BoxOf(Quantity::Rise, s)),
        boxes.text(BoxOf(Quantity::Width, s)), boxes.text(Box::Degrees), boxes.text(Box::Minutes) };
}

} // namespace

void BoxChanged(EscalatorBoxes &boxes, Box box)
{
    if (box == Box::Degrees || box == Box::Minutes) {
        ClearAnswers(boxes);
        RunAngleCheck(boxes);
        return;
    }
    if (!IsTwin(box) || QuantityOf(box) > Quantity::Width) return;
    // Only the source system writes its twins, so a write into a twin never writes back.
    if (SystemOf(box) == boxes.source()) writeTwin(boxes, box);
    ClearAnswers(boxes);
}

void ClearAnswers(EscalatorBoxes &boxes)
{
    for (const UnitSystem system : { UnitSystem::Imperial, UnitSystem::Metric }) {
        for (const Quantity load : { Quantity::Structural, Quantity::Machinery,
                 Quantity::BrakeStatic, Quantity::BrakeRunning })
            boxes.write(BoxOf(load, system), {});
    }
    boxes.write(Box::Cotangent, {});
}

void RunAngleCheck(EscalatorBoxes &boxes)
{
    const Verdict verdict = CheckAngle(boxes.text(Box::Degrees), boxes.text(Box::Minutes));
    if (verdict.passed()) return;
    boxes.tell(verdict);
    // Each write runs the box's change handling, and so this check again; writing the text a box
    // already holds runs nothing, which ends the chain once both read 30 and 0.
    boxes.write(Box::Degrees, kStartDegrees);
    boxes.write(Box::Minutes, kStartMinutes);
    // Through the minutes, so that the degrees box receives its focus handling (its whole text
    // selected) even when it held the focus before.
    boxes.focus(Box::Minutes);
    boxes.focus(Box::Degrees);
}

void RunStepWidthCheck(EscalatorBoxes &boxes, UnitSystem system)
{
    const Box width = BoxOf(Quantity::Width, system);
    const Verdict verdict = CheckStepWidth(boxes.text(width), system);
    if (verdict.passed()) return;
    boxes.tell(verdict);
    // The user can type the width again at once; the twin of the other system cannot be edited,
    // and the user would be held in it for ever.
    if (system == boxes.source()) boxes.focus(width);
}

void Calculate(EscalatorBoxes &boxes)
{
    // A refused angle has been put back to 30 degrees 0 minutes when the check returns; the
    // calculation goes on with that.
    RunAngleCheck(boxes);
    const UnitSystem own = boxes.source();
    if (const Verdict presence = CheckPresence(sourceTexts(boxes), own); !presence.passed()) {
        boxes.tell(presence);
        return;
    }
    // A warning only: the loads are computed with the width as typed.
    RunStepWidthCheck(boxes, own);
    // The projection, the rise and the width must be plain numbers before they are computed.
    const LoadInputTexts in = sourceTexts(boxes);
    LoadOutcome outcome { CheckPlainMeasurements(in, own), {} };
    if (outcome.refusal.passed())
        outcome = ComputeRatedLoads(FactorsOf(own),
            { ParseNumber(in.projection), *TextToNumber(in.rise), ParseNumber(in.width),
                ParseNumber(in.degrees), ParseNumber(in.minutes) },
            boxes);
    if (const Verdict &refusal = outcome.refusal; !refusal.passed()) {
        boxes.tell(refusal);
        // The projection or the width is to be typed again; the rise's refusal is older and
        // leaves the focus where it was.
        if (refusal.box && QuantityOf(*refusal.box) != Quantity::Rise) boxes.focus(*refusal.box);
        return;
    }

    // Each pair's own system first, its twin converted from the text the first box kept.
    const UnitSystem other = OtherSystem(own);
    const LoadTexts &t = outcome.texts;
    boxes.write(BoxOf(Quantity::Structural, own), t.structuralOwn);
    boxes.write(BoxOf(Quantity::Structural, other), t.structuralOther);
    boxes.write(BoxOf(Quantity::Machinery, own), t.machineryOwn);
    boxes.write(BoxOf(Quantity::Machinery, other), t.machineryOther);
    // The brake rated load with the escalator running is the machinery rated load as shown.
    for (const UnitSystem system : { own, other })
        boxes.write(
            BoxOf(Quantity::BrakeRunning, system), boxes.text(BoxOf(Quantity::Machinery, system)));
    boxes.write(BoxOf(Quantity::BrakeStatic, own), t.brakeStaticOwn);
    boxes.write(BoxOf(Quantity::BrakeStatic, other), t.brakeStaticOther);
    boxes.write(Box::Cotangent, t.cotangent);
}

void Clear(EscalatorBoxes &boxes)
{
    for (const Box box : { Box::ProjectionImperial, Box::ProjectionMetric, Box::RiseImperial,
             Box::RiseMetric, Box::WidthImperial, Box::WidthMetric, Box::Degrees, Box::Minutes })
        boxes.write(box, {});
    ClearAnswers(boxes);
    // In metric mode, blanking a metric box wrote the conversion of the empty text, 0, into its
    // imperial twin; blank those again.
    for (const Quantity measurement : kMeasurements)
        boxes.write(BoxOf(measurement, UnitSystem::Imperial), {});
    boxes.write(Box::Degrees, kStartDegrees);
    boxes.focus(BoxOf(Quantity::Projection, boxes.source()));
}

void ConvertMeasurements(EscalatorBoxes &boxes)
{
    for (const Quantity measurement : kMeasurements)
        BoxChanged(boxes, BoxOf(measurement, boxes.source()));
}

} // namespace kestrune
