// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/input/fleet.h"

#include <algorithm>

namespace kestrune {

namespace {

constexpr std::array kRequiredColumns { InputColumn::Projection, InputColumn::Rise,
    InputColumn::Width, InputColumn::Degrees };

std::optional<InputColumn> columnNamed(std::string_view name)
{
    for (std::size_t i = 0; i < kInputColumnCount; ++i) {
        if (isNamed(name, kInputColumnNames[i])) return static_cast<InputColumn>(i);
    }
    return std::nullopt;
}

std::string allColumnNames()
{
    std::string names;
    for (const std::string_view name : kInputColumnNames) {
        if (!names.empty()) names += ", ";
        names += name;
    }
    return names;
}

std::string &entryText(EscalatorEntry &entry, InputColumn column)
{
    switch (column) {
    case InputColumn::Projection:
        return entry.projection;
    case InputColumn::Rise:
        return entry.rise;
    case InputColumn::Width:
        return entry.width;
    case InputColumn::Degrees:
        return entry.degrees;
    case InputColumn::Minutes:
        return entry.minutes;
    case InputColumn::Units:
    case InputColumn::Id:
        break;
    }
    return entry.id;
}

} // namespace

void ReadMeasurements(FleetRow &row, DecimalMark mark)
{
    for (const InputColumn column : kMeasurementColumns) {
        std::optional<Notice> refused
            = ReadStrictNumber({ columnName(column), quantityName(column) },
                entryText(row.entry, column), mark, kNoLoads);
        if (refused && !row.problem) row.problem = std::move(refused);
    }
}

FleetLayout::FleetLayout(const CsvRecord &header, char separator, UnitSystem defaultUnits)
    : m_mark(decimalMarkOf(separator)), m_defaultUnits(defaultUnits)
{
    const std::string where = "row " + std::to_string(header.row) + ", column ";
    if (!header.problem.empty())
        throw FleetError(where + std::to_string(header.problemCell + 1) + ": " + header.problem
            + "; the first row must name the columns");
    for (std::size_t cell = 0; cell < header.cells.size(); ++cell) {
        const std::string_view name = trimmed(header.cells[cell]);
        // A column without a heading (a spreadsheet's trailing separators) holds nothing read.
        if (name.empty()) {
            m_columnOf.emplace_back();
            continue;
        }
        const std::optional<InputColumn> column = columnNamed(name);
        if (!column)
            throw FleetError(where + std::to_string(cell + 1) + ": \"" + std::string(name)
                + "\" is not a column name; the first row must name the columns, which are "
                + allColumnNames());
        std::optional<std::size_t> &slot = m_cellOf[static_cast<std::size_t>(*column)];
        if (slot)
            throw FleetError(where + std::to_string(cell + 1) + ": the column \""
                + std::string(columnName(*column)) + "\" is named twice");
        slot = cell;
        m_columnOf.push_back(column);
    }
    for (const InputColumn required : kRequiredColumns) {
        if (!m_cellOf[static_cast<std::size_t>(required)])
            throw FleetError("row " + std::to_string(header.row) + ": the header has no column \""
                + std::string(columnName(required))
                + "\"; every escalator needs its projection, rise, width and degrees");
    }
}

bool FleetLayout::isBlank(const CsvRecord &record)
{
    return record.problem.empty()
        && std::all_of(record.cells.begin(), record.cells.end(),
            [](const std::string &cell) { return trimmed(cell).empty(); });
}

std::string FleetLayout::cellColumnName(std::size_t cell) const
{
    if (cell < m_columnOf.size() && m_columnOf[cell])
        return std::string(columnName(*m_columnOf[cell]));
    return std::to_string(cell + 1);
}

FleetRow FleetLayout::read(CsvRecord &record) const
{
    FleetRow row;
    row.row = record.row;
    auto fail = [&row](std::string column, std::string message) {
        if (!row.problem) row.problem = Notice { std::move(column), std::move(message) };
    };
    if (!record.problem.empty()) fail(cellColumnName(record.problemCell), record.problem);

    const std::size_t expected = m_columnOf.size();
    const std::size_t given = record.cells.size();
    const std::string cellCount = "the row has " + std::to_string(given)
        + (given == 1 ? " cell" : " cells") + " where the header names " + std::to_string(expected)
        + " columns";
    if (given < expected) fail(cellColumnName(given), cellCount);
    for (std::size_t extra = expected; extra < given; ++extra) {
        if (!trimmed(record.cells[extra]).empty()) {
            fail(cellColumnName(extra), cellCount);
            break;
        }
    }

    auto cell = [&](InputColumn column) -> std::string * {
        const std::optional<std::size_t> index = m_cellOf[static_cast<std::size_t>(column)];
        return index && *index < given ? &record.cells[*index] : nullptr;
    };
    auto text = [&](InputColumn column, std::string_view fallback) {
        std::string *found = cell(column);
        std::string value = found ? std::move(*found) : std::string(fallback);
        row.echo[static_cast<std::size_t>(column)] = value;
        return value;
    };

    EscalatorEntry &entry = row.entry;
    entry.id = text(InputColumn::Id, {});
    entry.projection = text(InputColumn::Projection, {});
    entry.rise = text(InputColumn::Rise, {});
    entry.width = text(InputColumn::Width, {});
    entry.degrees = text(InputColumn::Degrees, {});
    entry.minutes = text(InputColumn::Minutes, kStartMinutes);

    // The units as they apply, so that every output row says which system its values are in.
    entry.units = m_defaultUnits;
    std::string &unitsEcho = row.echo[static_cast<std::size_t>(InputColumn::Units)];
    const std::string *units = cell(InputColumn::Units);
    if (units && !trimmed(*units).empty()) {
        if (const std::optional<UnitSystem> named = unitsFromName(*units)) {
            entry.units = *named;
        } else {
            fail(std::string(columnName(InputColumn::Units)),
                "the units must be imperial or metric, not \"" + *units + "\"");
            unitsEcho = *units;
            return row;
        }
    }
    unitsEcho = unitsName(entry.units);
    ReadMeasurements(row, m_mark);
    return row;
}

} // namespace kestrune
