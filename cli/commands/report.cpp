// SPDX-License-Identifier: GPL-3.0-or-later
// kestrune-calc report: the window's printed results report, one page per escalator, printed into a
// PDF file by the same code as Print Data. The file is written whole once its last page is
// complete, so a failure never leaves a truncated PDF behind.

#include "core/report.h"
#include "cli/commands/commands.h"
#include "cli/commands/escalatorrow.h"
#include "cli/input/escalators.h"
#include "cli/output/wholefile.h"
#include "printing/pdfpages.h"

#include <QDate>
#include <QLocale>
#include <QPageSize>

#include <ostream>

namespace kestrune {

namespace {

// Letter where the user's locale measures in US units, A4 elsewhere, unless the user chose.
QPageSize paperOf(const Options &options)
{
    Paper paper
        = QLocale().measurementSystem() == QLocale::ImperialUSSystem ? Paper::Letter : Paper::A4;
    if (options.paper) paper = *options.paper;
    return QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
}

QString dateText(const Options &options)
{
    const QDate date = options.date
        ? QDate(options.date->year, options.date->month, options.date->day)
        : QDate::currentDate();
    return shortDateText(date);
}

// Throws UsageError naming the file and the reason a page could not be made.
[[noreturn]] void cannotWrite(const Options &options, const PrintFailure &failure)
{
    const std::string reason = failure.what();
    throw UsageError("cannot write " + options.pdfFile + (reason.empty() ? "" : ": " + reason));
}

} // namespace

int RunReport(const Options &options, std::ostream &err)
{
    PdfPages file(paperOf(options), QStringLiteral("kestrune-calc"));
    const std::string date = dateText(options).toStdString();
    Tally tally;

    const std::size_t escalators = forEachEscalator(
        options, [](const CsvStyle &) {},
        [&](FleetRow &row) {
            auto tell = [&](const Notice &notice, std::string_view kind) {
                err << messageLine(
                    options, row.row, notice.column, std::string(kind) + notice.text);
            };
            if (row.problem) {
                tell(*row.problem, "no page: ");
                tally.count(true, false);
                return;
            }
            const EscalatorResult result = CalculateEscalator(row.entry);
            // The page shows no warning, so the user hears of them here.
            for (const Notice &warning : result.warnings)
                tell(warning, "warning: ");
            if (result.error) {
                tell(*result.error, "no page: ");
                tally.count(true, false);
                return;
            }
            try {
                printReport(file, ReportLines(result.report, row.entry.units, date));
            } catch (const PrintFailure &failure) {
                cannotWrite(options, failure);
            }
            tally.count(false, !result.warnings.empty());
        });

    if (escalators == 0)
        throw UsageError(fileLabel(options.csvFile.value_or("-"))
            + " has no escalator after its header row: no report was written");
    if (file.pages() == 0) {
        err << "kestrune-calc: " << options.pdfFile
            << " was not written: no escalator could be calculated\n";
        return 2;
    }
    try {
        WriteWhole(options.pdfFile, file.finish());
    } catch (const PrintFailure &failure) {
        cannotWrite(options, failure);
    }
    if (!options.quiet) err << "kestrune-calc: " << tally.summary() << '\n';
    return tally.refused > 0 ? 1 : 0;
}

} // namespace kestrune
