// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the main window shows for one escalator once its inputs are typed into the boxes of its
// unit system and Calculate is pressed: the result boxes, the messages it would have shown, and
// every box as the printed report takes it. The rules are the calculation core's; this adds what a
// command line needs that the window never meets: a text longer than its box (see boxtext.h; a
// measurement's box keeps 7 characters, the degrees' and the minutes' 2).

#include "cli/boxtext.h"
#include "cli/escalator.h"
#include "core/calculation.h"
#include "core/report.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrune {

// How a refusal of an escalator ends.
inline constexpr std::string_view kNoLoads = "No loads were calculated.";

struct EscalatorResult {
    ResultTexts results; // all empty when the escalator was refused
    // Shown by the window, which still calculated: twins too large for their boxes, a step width
    // out of range (and, here, inputs cut to their boxes).
    std::vector<Notice> warnings;
    // Why the window would show no loads (the first of its messages that refuse them); its column
    // is empty where the refusal concerns the escalator as a whole.
    std::optional<Notice> error;
    // The boxes as the window holds them after Calculate, for the printed report.
    ReportFields report;
};

EscalatorResult CalculateEscalator(const EscalatorEntry &entry);

} // namespace kestrune
