// SPDX-License-Identifier: GPL-3.0-or-later
// kestrune-calc loads: one output row per escalator, the input columns as read, then the result
// boxes, the warnings and the error.

#include "cli/commands/commands.h"
#include "cli/commands/escalatorrow.h"
#include "cli/input/escalators.h"
#include "cli/output/xlsx.h"

#include <ostream>

namespace kestrune {

namespace {

std::vector<OutputColumn> loadColumns()
{
    // The line of the file the escalator was read from: the row to look at in the spreadsheet.
    std::vector<OutputColumn> columns { { "row", true, false, false, true } };
    for (const std::string_view name : kInputColumnNames) {
        const bool text = name == "id" || name == "units";
        columns.push_back({ name, !text, false });
    }
    for (const std::string_view name :
        { "cotangent", "structural_lb", "structural_kg", "machinery_lb", "machinery_kg",
            "brake_static_lb", "brake_static_kg", "brake_running_lb", "brake_running_kg" })
        columns.push_back({ name, true, true });
    columns.push_back({ "warning", false, false, true });
    columns.push_back({ "error", false, false, true });
    return columns;
}

} // namespace

int RunLoads(const Options &options, std::ostream &out, std::ostream &err)
{
    // Rows go out as they are calculated (a table excepted, which needs every row to align its
    // columns), in the style of the file read: its separator, its byte-order mark.
    std::unique_ptr<RowWriter> writer;
    std::vector<std::string> cells;
    Tally tally;
    Progress progress(options, err);

    auto write = [&](FleetRow &row) {
        cells.clear();
        cells.push_back(options.csvFile ? std::to_string(row.row) : std::string());
        cells.insert(cells.end(), row.echo.begin(), row.echo.end());
        EscalatorResult result;
        if (row.problem)
            result.error = std::move(row.problem);
        else
            result = CalculateEscalator(row.entry);
        // The result boxes, empty when the escalator was refused.
        ReportColumn &lb = result.report.imperial;
        ReportColumn &kg = result.report.metric;
        for (std::string *text : { &result.report.cotangent, &lb.structural, &kg.structural,
                 &lb.machinery, &kg.machinery, &lb.brakeStatic, &kg.brakeStatic, &lb.brakeRunning,
                 &kg.brakeRunning })
            cells.push_back(std::move(*text));
        const std::optional<Notice> &error = result.error;
        const std::vector<Notice> &warnings = result.warnings;
        cells.push_back(JoinedText(warnings));
        cells.push_back(error ? error->text : std::string());
        writer->write(cells);
        tally.count(error.has_value(), !warnings.empty());
        if (error) {
            progress.finish(); // the message on a line of its own
            err << messageLine(options, row.row, error->column, error->text);
        }
        progress.step();
    };

    const std::size_t escalators = forEachEscalator(
        options,
        [&](const CsvStyle &style) {
            writer = options.format == OutputFormat::Xlsx
                ? makeXlsxWriter(out, loadColumns(), "Loads")
                : makeRowWriter(options.format, out, loadColumns(), style);
        },
        write);
    progress.finish();
    if (writer) writer->finish();
    if (escalators == 0)
        err << "kestrune-calc: " << fileLabel(options.csvFile.value_or("-"))
            << ": no escalator after the header row\n";
    else if (!options.quiet)
        err << "kestrune-calc: " << tally.summary() << '\n';
    return tally.refused > 0 ? 1 : 0;
}

} // namespace kestrune
