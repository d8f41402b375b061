// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The numbers of a file or of the command line are read strictly: a measurement is used only
// when its whole text is one number. A text that merely begins with one ("12ft", "1/2", "60-70",
// "1,234.5") would give the loads of another escalator without a word, so it is refused, with
// the column and the text named. An empty text passes: Calculate's own presence check answers it.
//
// Spreadsheets write decimals in the user's locale. A file separated by semicolons is written
// with decimal commas ("30,5"): a comma is its decimal mark, and a point there may only be a
// thousands separator ("1.000" is a thousand in such a file), so a point between groups of three
// digits is refused. A tab-separated file (a spreadsheet's clipboard) may use either mark: one
// comma or one point is a decimal mark, but not where it stands between groups of three digits
// ("1,500" and "1.500" may each be a thousand and a half or one and a half).

#include "cli/input/boxtext.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrune {

enum class DecimalMark {
    Point, // the command line, comma-separated files
    Comma, // semicolon-separated files
    Either, // tab-separated files
};

// The decimal mark of a file with this separator.
DecimalMark decimalMarkOf(char separator);

struct NumberField {
    std::string_view column; // named in the notice
    std::string_view quantity; // as a message names it: "total rise"
};

// Reads `text` (in place: a decimal comma becomes the point the calculation reads). Returns the
// refusal, ending with `refusal` ("No loads were calculated.", or nothing), when the text is not
// one number.
std::optional<Notice> ReadStrictNumber(
    const NumberField &field, std::string &text, DecimalMark mark, std::string_view refusal);

} // namespace kestrune
