// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A fleet of escalators in a CSV file: the header row names the columns (id, units, projection,
// rise, width, degrees, minutes, in any order and any case), and every further row is one
// escalator. The optional columns take their defaults where they are missing: no identification,
// the units chosen on the command line, 0 minutes.

#include "cli/input/boxtext.h"
#include "cli/input/csvreader.h"
#include "cli/input/escalatorentry.h"
#include "cli/input/numbertext.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrune {

// The file cannot serve as a fleet: its header row is missing or names wrong columns.
class FleetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct FleetRow {
    std::size_t row = 0;
    EscalatorEntry entry;
    // The input columns as read, in the order of kInputColumnNames; a missing optional column
    // shows its default, the units their name.
    std::array<std::string, kInputColumnCount> echo;
    // What is wrong with the row, and in which column (an input column's name, or the column's
    // number counted from 1 where it has no name).
    std::optional<Notice> problem;
};

// Reads the numbers of the row's escalator strictly (see numbertext.h), in the decimal mark of its
// file: the first that is not one number becomes the row's problem, unless it has one already.
void ReadMeasurements(FleetRow &row, DecimalMark mark);

class FleetLayout {
public:
    // Reads the header row. Throws FleetError naming the column at fault.
    FleetLayout(const CsvRecord &header, char separator, UnitSystem defaultUnits);

    // Whether a row holds nothing but blanks (a spreadsheet's trailing empty rows): it is no
    // escalator and gets no line of its own.
    static bool isBlank(const CsvRecord &record);

    FleetRow read(CsvRecord &record) const;

private:
    std::string cellColumnName(std::size_t cell) const;

    std::array<std::optional<std::size_t>, kInputColumnCount> m_cellOf;
    std::vector<std::optional<InputColumn>> m_columnOf; // by cell
    DecimalMark m_mark;
    UnitSystem m_defaultUnits;
};

} // namespace kestrune
