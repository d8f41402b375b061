// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/conversions.h"

#include "core/numbers.h"

#include <cmath>

namespace kestrune {

namespace {

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

} // namespace

TwinText ConvertTwin(
    Quantity measurement, UnitSystem from, std::string_view text, const TextCut &cut)
{
    const TwinRule &rule = kTwinRules[static_cast<int>(measurement)][static_cast<int>(from)];
    double value = ParseNumber(text) * rule.factor;
    if (rule.toHundredths) value = RoundHalfEven(value, 2);
    const std::string converted = NumberToText(value);
    std::string kept = cut.cut(converted, kMeasurementLength);
    if (std::isfinite(value) && KeepsMagnitude(converted, kept)) return { kept, std::nullopt };
    return { {},
        Message { "Conversion Too Large",
            std::string("The ") + rule.quantity
                + " is too large to be shown in its box, so the box is left empty.",
            Stop } };
}

} // namespace kestrune
