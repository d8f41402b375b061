// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The three forms kestrune-calc writes its results in, one row of texts per escalator (or
// triangle):
// - table: columns aligned for a terminal, numbers to the right, texts cut to 32 characters but
//   for messages and the last column;
// - csv: for spreadsheets, with the separator of the file read (a comma otherwise), quoted where
//   a cell needs it, with a byte-order mark where the file read had one;
// - json: an array of one object per row; a result column's text also appears as a number under
//   its name with "_value" appended (null where the text is empty).
// Texts are written exactly as given: they are the texts the window's boxes show.

#include <cstddef>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune {

enum class OutputFormat { Table, Csv, Json, Xlsx };

// Whether this build writes .xlsx files (with libxlsxwriter).
#ifdef KESTRUNE_HAVE_XLSX
inline constexpr bool kXlsxAvailable = true;
#else
inline constexpr bool kXlsxAvailable = false;
#endif

struct OutputColumn {
    std::string_view name;
    // Aligned right in a table, as numbers are.
    bool alignRight = false;
    // A result: JSON gives the number its text stands for too.
    bool withValue = false;
    // A message: a table shows it whole, however long.
    bool whole = false;
    // A count (the row's line number): JSON writes it as a bare number, null where it is empty.
    bool count = false;
};

class RowWriter {
public:
    virtual ~RowWriter() = default;
    // One text for each column, in the order of the columns.
    virtual void write(std::span<const std::string> cells) = 0;
    // Writes what is still held and the end of the output.
    virtual void finish() = 0;
};

struct CsvStyle {
    char separator = ',';
    bool byteOrderMark = false;
    // Numbers written with a decimal comma (10015,3), as spreadsheets read them in locales that
    // use one.
    bool decimalComma = false;
};

std::unique_ptr<RowWriter> makeRowWriter(
    OutputFormat format, std::ostream &out, std::vector<OutputColumn> columns, CsvStyle style = {});

// The number a result's text stands for, as a JSON number: a decimal as it is written (a point
// that ends it dropped), another number in the shortest form that reads back to the same double;
// "null" for an empty text or one that is not a number.
std::string jsonNumber(std::string_view text);

} // namespace kestrune
