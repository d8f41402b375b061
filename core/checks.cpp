// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/checks.h"

#include "core/numbers.h"

#include <string>

namespace kestrune {

// The permitted step widths of each unit system: the bounds, both included, and the unit the
// message names them in.
constexpr struct {
    double lowest, highest;
    std::string_view unit;
} kWidthLimits[] = { { 22, 40, "inches" }, { 560, 1020, "mm" } }; // by UnitSystem

Verdict CheckPresence(const LoadInputTexts &in, UnitSystem system)
{
    const double minutes = ParseNumber(in.minutes);
    const double degrees = ParseNumber(in.degrees);
    // The minutes count as typed, not divided by 60: degrees 0 with minutes 30 are present. The
    // verdict names the first measurement missing.
    std::optional<Box> missing;
    if (!(ParseNumber(in.projection) > 0))
        missing = BoxOf(Quantity::Projection, system);
    else if (!(ParseNumber(in.rise) > 0))
        missing = BoxOf(Quantity::Rise, system);
    else if (!(ParseNumber(in.width) > 0))
        missing = BoxOf(Quantity::Width, system);
    else if (!(degrees + minutes > 0))
        missing = Box::Degrees;
    else
        return {};
    return { Message {
                 "Insufficient Data", "Please make an entry in all four categories.", Information },
        Reason::MissingMeasurement, missing };
}

Verdict CheckAngle(std::string_view degrees, std::string_view minutes)
{
    double angle = ParseNumber(minutes) / 60;
    angle = ParseNumber(degrees) + angle;
    std::string prompt;
    if (angle < 0)
        prompt = "What kind of escalator has a negative angle of inclination? ";
    else if (angle > 31)
        prompt = "The angle of inclination shall be designed not to exceed "
                 "30 degrees plus 1 degree due to "
                 "site conditions.";
    else
        return {};
    return { Message { "Angle of Inclination", prompt, Stop }, Reason::AngleOutOfRange,
        Box::Degrees };
}

Verdict CheckStepWidth(std::string_view text, UnitSystem system)
{
    const auto &limits = kWidthLimits[static_cast<int>(system)];
    const double width = ParseNumber(text);
    if (width == 0 || (width >= limits.lowest && width <= limits.highest)) return {};
    const std::string unit(limits.unit);
    return { Message { "Incorrect Step Width",
                 "The width of a step tread shall be not less than " + NumberToText(limits.lowest)
                     + " " + unit + " nor more than " + NumberToText(limits.highest) + " " + unit
                     + ".",
                 Stop },
        Reason::StepWidthOutOfRange, BoxOf(Quantity::Width, system) };
}

Verdict CheckPlainMeasurements(const LoadInputTexts &in, UnitSystem system)
{
    // The rise's refusal is older than the other two and keeps its words.
    const struct {
        const std::string &text;
        Quantity quantity;
        const char *title;
        const char *prompt;
    } measurements[] = {
        { in.projection, Quantity::Projection, "Incorrect Horizontal Projection",
            "The horizontal projection must be a plain number, without units or other characters. "
            "A point is the decimal separator. No loads were calculated." },
        { in.rise, Quantity::Rise, "Incorrect Total Rise",
            "The total rise must be a plain number, without units or other characters. No loads "
            "were calculated." },
        { in.width, Quantity::Width, "Incorrect Step Width",
            "The width of the step must be a plain number, without units or other characters. A "
            "point is the decimal separator. No loads were calculated." },
    };
    for (const auto &m : measurements) {
        if (!TextToNumber(m.text))
            return { Message { m.title, m.prompt, Stop }, Reason::NotAPlainNumber,
                BoxOf(m.quantity, system) };
    }
    return {};
}

} // namespace kestrune
