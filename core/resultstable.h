// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The whole calculation as a table to copy into a spreadsheet or an e-mail: one row per quantity,
// its label, then its value and unit in imperial and in metric units, every value exactly as the
// main window's box shows it. The same boxes as the printed report, in the same order.

#include "core/escalator.h"
#include "core/report.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrune {

using TableRow = std::vector<std::string>;

// The rows for the boxes as they stand, typed in `entered`, copied on the day `date` (already in
// the user's format).
std::vector<TableRow> ResultsTable(
    const ReportFields &fields, UnitSystem entered, std::string_view date);

// The rows as plain text: cells separated by a tab, each row ending in a line break. Spreadsheets
// paste it as a table, and it reads as columns in an e-mail.
std::string TabSeparated(const std::vector<TableRow> &rows);

// The rows as an HTML table for programs that take formatted text. A cell that holds a number
// also carries its value in the attributes spreadsheets read (LibreOffice's sdval, Excel's
// x:num), so that it pastes as a number in every locale, a decimal point in a German one too.
std::string HtmlTable(const std::vector<TableRow> &rows);

} // namespace kestrune
