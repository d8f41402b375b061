// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One escalator as kestrune-calc calculates it: the texts typed into the main window's boxes of
// its unit system, then Calculate. The commands are the core's (core/calculation.h), played on a
// row of texts that keeps what each box keeps and runs the core's change handling on every write
// that changes a text. The window's messages become the row's notices: those that let the window
// calculate are warnings, the first that refuses the loads (or the angle) is the error.
//
// What a command line meets that the window never does, a text longer than its box, is answered
// before the texts go into the row (boxtext.h).

#include "cli/input/boxtext.h"
#include "cli/input/escalatorentry.h"
#include "core/report.h"

#include <optional>
#include <vector>

namespace kestrune {

struct EscalatorResult {
    // Shown by the window, which still calculated: twins too large for their boxes, a step width
    // out of range (and, here, inputs cut to their boxes).
    std::vector<Notice> warnings;
    // Why the window would show no loads; its column is empty where the refusal concerns the
    // escalator as a whole.
    std::optional<Notice> error;
    // The boxes as the window holds them after Calculate, for the output and the printed report;
    // the identification alone when the escalator was refused.
    ReportFields report;
};

EscalatorResult CalculateEscalator(const EscalatorEntry &entry);

} // namespace kestrune
