// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The twin conversions: every length the user types in one unit system is shown, converted, in
// its twin box of the other system. Text in, text out: the twin shows the text its box keeps of
// the converted value.
//
// Feet become metres by the survey foot (1200/3937 m), metres become feet by the international
// foot; the two factors are not reciprocals, so 33 feet come back as 33.0000 after a switch to
// metric and back. Inches become millimetres by 25.4; millimetres become inches rounded to
// hundredths. A text that does not begin with a number converts as 0.

#include "core/escalator.h"
#include "core/messages.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrune {

struct TwinText {
    std::string text; // what the twin box shows (empty when the value cannot be shown)
    // The converted value would show in the twin's box as a number many times too small, or is
    // no number at all: the twin is left empty and the user is told why.
    std::optional<Message> tooLarge;
};

// The twin of `text`, a measurement typed in `from`, in the other unit system, as `cut` keeps it
// in the twin's box.
TwinText ConvertTwin(
    Quantity measurement, UnitSystem from, std::string_view text, const TextCut &cut);

} // namespace kestrune
