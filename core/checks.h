// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The checks of the main window's inputs, as verdicts: what to tell the user, why, and which box
// it is about. The checks show nothing and change nothing themselves; the commands
// (core/calculation.h) decide where the focus goes and whether they go on.
//
// - Presence: Calculate needs all four measurements (each positive, and degrees plus minutes as
//   typed above zero); without them it stops.
// - Angle: the angle of inclination must lie from 0 to 31 degrees, both included (30 degrees
//   plus 1 for site conditions). A refused angle is put back to kStartDegrees and kStartMinutes
//   by the window, which then gives the degrees box the focus; a calculation goes on with that.
// - Step width: a width outside 22 to 40 inches (560 to 1020 millimetres), both included, is
//   warned about and the focus returns to the width box; the calculation goes on with the width
//   as typed. A width that reads as 0 (empty, or no number) is not checked.
// - Plain measurements: the loads are computed from the projection, the rise and the width of
//   the unit system in use read as whole numbers. A text that is more than a number ("1,200",
//   "100,5", "12ft") would otherwise be computed as its leading digits alone, so Calculate
//   refuses it and names the measurement; for the projection and the width it also says that a
//   point is the decimal separator and gives the box the focus.

#include "core/escalator.h"
#include "core/messages.h"

#include <optional>
#include <string_view>

namespace kestrune {

// Why a check or a command tells the user something.
enum class Reason {
    TwinTooLarge, // a measurement's twin would not show in its box: left empty (a warning)
    AngleOutOfRange, // the angle is put back to 30 degrees 0 minutes
    MissingMeasurement, // Calculate stops
    StepWidthOutOfRange, // a warning: Calculate goes on
    NotAPlainNumber, // Calculate gives no loads
    NotComputable, // no loads: a tangent of zero, or beyond the range of a double
    LoadsTooLarge, // no loads: 10,000,000 or more
};

struct Verdict {
    std::optional<Message> message; // none: the input passes
    Reason reason {};
    std::optional<Box> box; // the box the message is about; none: the escalator as a whole

    bool passed() const { return !message; }
};

// Each check of the measurements of `system`.
Verdict CheckPresence(const LoadInputTexts &inputs, UnitSystem system);
Verdict CheckAngle(std::string_view degrees, std::string_view minutes);
Verdict CheckStepWidth(std::string_view width, UnitSystem system);
Verdict CheckPlainMeasurements(const LoadInputTexts &inputs, UnitSystem system);

} // namespace kestrune
