// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The escalators a command works on: the one of the command line, or every row of a CSV file
// (standard input for "-"), read as the file goes.

#include "cli/input/fleet.h"
#include "cli/options.h"
#include "cli/output/forms.h"

#include <functional>
#include <ostream>
#include <string>

namespace kestrune {

// Calls `begin` once the escalators can come (for a file: once its header row is read), with the
// style of the file (its separator and byte-order mark, for output in the same style), then
// `each` for every escalator, in the order of the file. Returns how many escalators there were.
// Throws UsageError when the file cannot be read, is empty or has a wrong header row.
std::size_t forEachEscalator(const Options &options,
    const std::function<void(const CsvStyle &style)> &begin,
    const std::function<void(FleetRow &row)> &each);

// A message for standard error, with where it belongs: "kestrune-calc: FILE: row 4, column rise:
// TEXT" for a row of a file, "kestrune-calc: --rise: TEXT" for the escalator (or the triangle) of
// the command line; without a column, where the message concerns the escalator as a whole.
std::string messageLine(
    const Options &options, std::size_t row, std::string_view column, std::string_view text);

// How the escalators fared, for the summary on standard error.
struct Tally {
    std::size_t calculated = 0; // without a warning
    std::size_t warned = 0; // calculated, with a warning
    std::size_t refused = 0;

    void count(bool wasRefused, bool wasWarned);
    // "9 escalators: 7 calculated, 1 with a warning, 1 refused".
    std::string summary() const;
};

// A line on standard error that counts the rows of a long file as they are read, when standard
// error is a terminal (from the 100,000th row on); nothing otherwise.
class Progress {
public:
    Progress(const Options &options, std::ostream &err);
    void step();
    // Clears the line.
    void finish();

private:
    std::ostream &m_err;
    bool m_shown;
    std::size_t m_rows = 0;
    bool m_written = false;
};

// The name of the CSV file for messages ("standard input" for "-").
std::string fileLabel(const std::string &file);

} // namespace kestrune
