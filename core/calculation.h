// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the main window shows after Calculate, for a program without the window: the same checks
// in the same order, the same messages and every result text digit for digit.
//
// Calculate checks the angle (a refused angle is put back to 30 degrees 0 minutes and the
// calculation goes on with that), then the presence of all four measurements (missing ones stop
// it), then the step width (a warning only), then computes the loads (which may still be
// refused). The inputs are the texts as the boxes hold them, already cut to their lengths.

#include "core/checks.h"
#include "core/escalator.h"
#include "core/messages.h"
#include "core/ratedloads.h"

#include <optional>
#include <string>

namespace kestrune {

// The nine result boxes, by unit.
struct ResultTexts {
    std::string cotangent;
    std::string structuralLb, structuralKg;
    std::string machineryLb, machineryKg;
    std::string brakeStaticLb, brakeStaticKg;
    std::string brakeRunningLb, brakeRunningKg;

    bool operator==(const ResultTexts &) const = default;
};

ResultTexts ResultsByUnit(const LoadTexts &texts, UnitSystem system);

struct LoadCalculation {
    std::optional<Message> angleRefused; // shown first; the loads are then those of 30 degrees
    std::optional<Message> warning; // the step width: shown, and the loads still calculated
    std::optional<Message> error; // no loads: a missing measurement or a refusal of the loads
    FocusField errorBox = FocusField::Unchanged; // the measurement an error refuses, if one
    std::string degrees, minutes; // the angle the loads were calculated with
    ResultTexts results; // all empty after an error
};

LoadCalculation CalculateLoads(const LoadInputTexts &inputs, UnitSystem system);

} // namespace kestrune
