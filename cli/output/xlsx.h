// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The output as an .xlsx workbook (libxlsxwriter): one sheet, a header row, a number as a numeric
// cell displayed with the window's digits (6599.40 keeps its two decimals, 14549. its point), any
// other text (an id, a message) as text. The workbook's bytes go to `out` once it is complete.

#include "cli/output/forms.h"

namespace kestrune {

std::unique_ptr<RowWriter> makeXlsxWriter(
    std::ostream &out, std::vector<OutputColumn> columns, const std::string &sheetName);

} // namespace kestrune
