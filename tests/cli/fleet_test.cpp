// SPDX-License-Identifier: GPL-3.0-or-later
// A fleet's header row, the defaults of the optional columns, and the faults of single rows.

#include "cli/input/fleet.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

CsvRecord record(std::vector<std::string> cells, std::size_t row = 2)
{
    CsvRecord out;
    out.row = row;
    out.cells = std::move(cells);
    return out;
}

FleetLayout layout(
    std::vector<std::string> header, char separator = ',', UnitSystem units = UnitSystem::Imperial)
{
    return FleetLayout(record(std::move(header), 1), separator, units);
}

std::string headerFault(std::vector<std::string> header)
{
    try {
        layout(std::move(header));
    } catch (const FleetError &error) {
        return error.what();
    }
    return {};
}

TEST(FleetLayout, ReadsColumnsInAnyOrderAndCaseWithTheirDefaults)
{
    const FleetLayout fleet = layout({ "Width", " RISE ", "degrees", "projection" });
    CsvRecord row = record({ "40", "50", "30", "100" }, 7);
    const FleetRow got = fleet.read(row);
    EXPECT_FALSE(got.problem);
    EXPECT_EQ(got.row, 7u);
    EXPECT_EQ(got.entry.projection, "100");
    EXPECT_EQ(got.entry.rise, "50");
    EXPECT_EQ(got.entry.width, "40");
    EXPECT_EQ(got.entry.degrees, "30");
    // The window opens with 0 minutes; no identification; the units of the command line.
    EXPECT_EQ(got.entry.minutes, "0");
    EXPECT_EQ(got.entry.id, "");
    EXPECT_EQ(got.entry.units, UnitSystem::Imperial);
    EXPECT_EQ(got.echo,
        (std::array<std::string, kInputColumnCount> {
            "", "imperial", "100", "50", "40", "30", "0" }));
}

TEST(FleetLayout, RowUnitsOverrideTheDefaultAndAreChecked)
{
    const FleetLayout fleet
        = layout({ "units", "projection", "rise", "width", "degrees" }, ',', UnitSystem::Metric);
    CsvRecord imperial = record({ "Imperial", "1", "1", "1", "1" });
    EXPECT_EQ(fleet.read(imperial).entry.units, UnitSystem::Imperial);
    CsvRecord empty = record({ "", "1", "1", "1", "1" });
    const FleetRow defaulted = fleet.read(empty);
    EXPECT_EQ(defaulted.entry.units, UnitSystem::Metric);
    EXPECT_EQ(defaulted.echo[1], "metric");
    CsvRecord wrong = record({ "feet", "1", "1", "1", "1" });
    const FleetRow refused = fleet.read(wrong);
    ASSERT_TRUE(refused.problem);
    EXPECT_EQ(refused.problem->column, "units");
    EXPECT_EQ(refused.echo[1], "feet") << "the wrong text is shown as read";
}

TEST(FleetLayout, SemicolonFilesMayWriteDecimalCommas)
{
    const FleetLayout fleet
        = layout({ "id", "projection", "rise", "width", "degrees", "minutes" }, ';');
    CsvRecord row = record({ "Hall 3, east", "30,5", "1.234,5", "1000", "30", "7,5" });
    const FleetRow got = fleet.read(row);
    EXPECT_EQ(got.entry.projection, "30.5");
    EXPECT_EQ(got.entry.minutes, "7.5");
    EXPECT_EQ(got.entry.id, "Hall 3, east") << "the identification is text";
    EXPECT_EQ(got.entry.rise, "1.234,5") << "not one decimal comma: left as written";
    EXPECT_EQ(got.echo[2], "30,5") << "the input is shown as read";

    const FleetLayout commas = layout({ "projection", "rise", "width", "degrees" }, ',');
    CsvRecord quoted = record({ "30,5", "1", "1", "1" });
    EXPECT_EQ(commas.read(quoted).entry.projection, "30,5");
}

TEST(FleetLayout, RaggedRowsAreFaultsOfTheirRowAlone)
{
    const FleetLayout fleet = layout({ "projection", "rise", "width", "degrees", "minutes" });
    CsvRecord shortRow = record({ "1", "2", "3" });
    const FleetRow got = fleet.read(shortRow);
    ASSERT_TRUE(got.problem);
    EXPECT_EQ(got.problem->column, "degrees");
    EXPECT_EQ(got.problem->text, "the row has 3 cells where the header names 5 columns");

    CsvRecord longRow = record({ "1", "2", "3", "4", "5", "", "extra" });
    const FleetRow tooLong = fleet.read(longRow);
    ASSERT_TRUE(tooLong.problem);
    EXPECT_EQ(tooLong.problem->column, "7");
    // Empty cells after the last column are a spreadsheet's trailing separators.
    CsvRecord trailing = record({ "1", "2", "3", "4", "5", "", " " });
    EXPECT_FALSE(fleet.read(trailing).problem);
}

TEST(FleetLayout, AReaderFaultNamesItsColumn)
{
    const FleetLayout fleet = layout({ "id", "projection", "rise", "width", "degrees" });
    CsvRecord row = record({ "", "1", "", "1", "1" });
    row.problem = "the cell is not UTF-8 text";
    row.problemCell = 2;
    const FleetRow got = fleet.read(row);
    ASSERT_TRUE(got.problem);
    EXPECT_EQ(got.problem->column, "rise");
}

TEST(FleetLayout, RefusesHeadersThatAreNotOne)
{
    EXPECT_NE(headerFault({ "100", "50", "40", "30" }).find("\"100\" is not a column name"),
        std::string::npos);
    EXPECT_NE(headerFault({ "projection", "rise", "width", "degrees", "minuts" }).find("column 5"),
        std::string::npos)
        << "a misspelt optional column would otherwise silently take its default";
    EXPECT_NE(headerFault({ "projection", "rise", "rise", "width", "degrees" }).find("named twice"),
        std::string::npos);
    EXPECT_NE(headerFault({ "projection", "rise", "width" }).find("no column \"degrees\""),
        std::string::npos);
    EXPECT_EQ(headerFault({ "projection", "rise", "width", "degrees", "" }), "")
        << "a column without heading is left aside";
}

TEST(FleetLayout, BlankRowsAreNoEscalators)
{
    EXPECT_TRUE(FleetLayout::isBlank(record({ "", " ", "\t" })));
    EXPECT_FALSE(FleetLayout::isBlank(record({ "", "0" })));
    CsvRecord faulty = record({ "" });
    faulty.problem = "the cell is not UTF-8 text";
    EXPECT_FALSE(FleetLayout::isBlank(faulty)) << "its fault must still be reported";
}

} // namespace
} // namespace kestrune
