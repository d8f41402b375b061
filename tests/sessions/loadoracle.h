// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The nine results of a calculation worked out again from the published rated-load formulas,
// written apart from the program: its own reading of a number's leading text (a scan of
// its characters and strtod), its own 15-digit text (printf), its own cut to a box's length and its
// own constants. The random sessions compare what the window shows with this, so a fault shared by
// the window and the program's load routine cannot hide.

#include <optional>
#include <string>

namespace kestrune::sessionfuzz {

// The texts of the measurement boxes of the column in use and of the two angle boxes.
struct OracleInputs {
    bool imperial = true;
    std::string projection, rise, width, degrees, minutes;
};

// What the result boxes show, own system first in each pair.
struct OracleResults {
    std::string structuralOwn, structuralOther;
    std::string machineryOwn, machineryOther;
    std::string brakeStaticOwn, brakeStaticOther;
    std::string cotangent;
};

// The results, or nothing where the formulas give no result a box can show whole (a rise that is
// no plain number, a value that is not finite, a load whose kept text would lose whole digits).
std::optional<OracleResults> ExpectedResults(const OracleInputs &inputs);

} // namespace kestrune::sessionfuzz
