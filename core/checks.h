// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The checks of the main window's inputs, as verdicts: what to tell the user, where the focus
// goes once the message is closed, and whether the command that made the check goes on. The
// checks show nothing and change nothing themselves.
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

// The box that receives the focus after a check's message.
enum class FocusField { Unchanged, Degrees, Projection, StepWidth };

struct Verdict {
    std::optional<Message> message; // none: the input passes
    FocusField focus = FocusField::Unchanged;
    bool goOn = true;

    bool passed() const { return !message; }
};

Verdict CheckPresence(const LoadInputTexts &inputs);
Verdict CheckAngle(std::string_view degrees, std::string_view minutes);
Verdict CheckStepWidth(std::string_view width, UnitSystem system);
Verdict CheckPlainMeasurements(const LoadInputTexts &inputs);

} // namespace kestrune
