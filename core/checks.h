// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The checks of the main window's inputs, as verdicts: what to tell the user, why, and which box
// it is about. They show and change nothing; the commands (core/calculation.h) tell, move the
// focus and go on or stop.
//
// - Presence: all four measurements positive, degrees plus minutes as typed above zero.
// - Angle: from 0 to 31 degrees, both included (30 degrees plus 1 for site conditions).
// - Step width: from 22 to 40 inches (560 to 1020 millimetres), both included; a width that
//   reads as 0 (empty, or no number) is not checked.
// - Plain measurements: the loads are computed from the projection, the rise and the width read
//   as whole numbers; a text that is more than a number ("1,200", "100,5", "12ft") would be
//   computed as its leading digits alone, so it is refused.

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
