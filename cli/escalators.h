// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The escalators a command works on: the one of the command line, or every row of a CSV file
// (standard input for "-"), read as the file goes.

#include "cli/fleet.h"
#include "cli/options.h"
#include "cli/output.h"

#include <functional>
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

// The name of the CSV file for messages ("standard input" for "-").
std::string fileLabel(const std::string &file);

} // namespace kestrune
