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
    askIdentification();
    const std::optional<Message> failed
        = PrintOn(services().choosePrinter(this), "The report", [this](Printer &printer) {
              printReport(printer,
                  ReportLines(boxTexts(), m_system, toUtf8(shortDateText(services().today()))));
          });
    if (failed) tell(*failed);
}

void MainWindow::printForm()
{
    // The identification typed here shows in the window and so on the printed image.
    askIdentification();
    const std::optional<Message> failed = PrintOn(services().choosePrinter(this),
        "The window image", [this](Printer &printer) { printer.printWindowImage(client()); });
    if (failed) tell(*failed);
}

} // namespace kestrune
