// SPDX-License-Identifier: GPL-3.0-or-later
// The Print menu: the results report, printed from the boxes exactly as they stand, and the image
// of the window. Both ask for the escalator's identification while it has none. Copy Results puts
// the same boxes on the clipboard as a table.

#include "mainwindow/mainwindow.h"

#include "core/report.h"
#include "core/resultstable.h"
#include "platform/qttext.h"
#include "platform/services.h"
#include "platform/textbox.h"

namespace kestrune {

namespace {

// A printer that fails must not leave the user waiting for a page that never comes.
Message printFailed(const char *what, const PrintFailure &failure)
{
    return { "Print Failed", std::string(what) + " was not printed: " + failure.what(), Stop };
}

} // namespace

void MainWindow::askIdentification()
{
    // Blanks count as an identification. Cancel leaves the box empty, so the next print command
    // asks again.
    if (!ui.identification->text().isEmpty()) return;
    const std::optional<QString> answer = services().askText(this,
        QStringLiteral("Do you wish to identify this escalator?"), QStringLiteral("Escalator ID"));
    ui.identification->setFieldText(answer.value_or(QString()));
}

ReportFields MainWindow::boxTexts() const
{
    auto columnTexts = [](const Column &c) {
        return ReportColumn { toUtf8(c.projection->text()), toUtf8(c.rise->text()),
            toUtf8(c.width->text()), toUtf8(c.structural->text()), toUtf8(c.machinery->text()),
            toUtf8(c.brakeStatic->text()), toUtf8(c.brakeRunning->text()) };
    };
    return { toUtf8(ui.identification->text()), toUtf8(ui.degrees->text()),
        toUtf8(ui.minutes->text()), toUtf8(ui.cotangent->text()),
        columnTexts(column(UnitSystem::Imperial)), columnTexts(column(UnitSystem::Metric)) };
}

void MainWindow::copyResults()
{
    // The boxes as they stand: results blanked by a change since the last Calculate are copied
    // blank, never as the loads of other measurements.
    const std::vector<TableRow> rows
        = ResultsTable(boxTexts(), m_system, toUtf8(shortDateText(services().today())));
    services().copyToClipboard(fromUtf8(TabSeparated(rows)), fromUtf8(HtmlTable(rows)));
}

void MainWindow::printData()
{
    try {
        askIdentification();
        // Cancel in the print dialog ends the command without a page and without a message.
        const std::unique_ptr<Printer> printer = services().choosePrinter(this);
        if (!printer) return;

        const ReportFields fields = boxTexts();
        printReport(
            *printer, ReportLines(fields, m_system, toUtf8(shortDateText(services().today()))));
    } catch (const PrintFailure &failure) {
        tell(printFailed("The report", failure));
    }
}

void MainWindow::printForm()
{
    try {
        // The identification typed here shows in the window and so on the printed image.
        askIdentification();
        const std::unique_ptr<Printer> printer = services().choosePrinter(this);
        if (!printer) return;
        printer->printWindowImage(client());
    } catch (const PrintFailure &failure) {
        tell(printFailed("The window image", failure));
    }
}

} // namespace kestrune
