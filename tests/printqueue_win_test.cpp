// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows print spooler's answers as the print path tells them (run under Wine or Windows):
// the printer states that refuse a page, and a printer the spooler does not know.

#include "printing/printqueue.h"
#include "printing/printqueue_win.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

namespace kestrune {
namespace {

TEST(SpoolerRefusal, EachStateThatStopsJobsIsToldWithThePrinterName)
{
    const QString name = QStringLiteral("Office Ω");
    EXPECT_EQ(SpoolerRefusal(name, PRINTER_STATUS_PAUSED, 0),
        QStringLiteral("The printer \"Office Ω\" does not accept jobs: it is paused."));
    EXPECT_EQ(SpoolerRefusal(name, PRINTER_STATUS_OFFLINE, 0),
        QStringLiteral("The printer \"Office Ω\" does not accept jobs: it is offline."));
    EXPECT_EQ(SpoolerRefusal(name, 0, PRINTER_ATTRIBUTE_WORK_OFFLINE),
        QStringLiteral("The printer \"Office Ω\" does not accept jobs: it is offline."));
    EXPECT_EQ(SpoolerRefusal(name, PRINTER_STATUS_ERROR, 0),
        QStringLiteral("The printer \"Office Ω\" does not accept jobs: it is in error."));
    EXPECT_EQ(SpoolerRefusal(name, PRINTER_STATUS_NOT_AVAILABLE, 0),
        QStringLiteral("The printer \"Office Ω\" does not accept jobs: it is not available."));
    EXPECT_EQ(SpoolerRefusal(name, PRINTER_STATUS_PENDING_DELETION, 0),
        QStringLiteral("The printer \"Office Ω\" does not exist any more."));
    // Paused wins over the states a paused printer may show as well.
    EXPECT_EQ(SpoolerRefusal(name, PRINTER_STATUS_PAUSED | PRINTER_STATUS_ERROR, 0),
        QStringLiteral("The printer \"Office Ω\" does not accept jobs: it is paused."));
}

TEST(SpoolerRefusal, APrinterThatIsBusyOrWaitingForPaperStillTakesTheJob)
{
    // The spooler keeps the job until the printer can print it, as CUPS does.
    const QString name = QStringLiteral("Office");
    EXPECT_EQ(SpoolerRefusal(name, 0, 0), std::nullopt);
    EXPECT_EQ(SpoolerRefusal(name, PRINTER_STATUS_BUSY | PRINTER_STATUS_PRINTING, 0), std::nullopt);
    EXPECT_EQ(SpoolerRefusal(name, PRINTER_STATUS_PAPER_OUT, 0), std::nullopt);
    EXPECT_EQ(SpoolerRefusal(name, PRINTER_STATUS_WAITING, PRINTER_ATTRIBUTE_SHARED), std::nullopt);
}

TEST(PrintQueue, APrinterTheSpoolerDoesNotKnowDoesNotExistAnyMore)
{
    const PrintQueue queue(QStringLiteral("Kestrune Test Printer Ω That Is Not There"));
    EXPECT_EQ(queue.refusal(),
        QStringLiteral(
            "The printer \"Kestrune Test Printer Ω That Is Not There\" does not exist any more."));
    // The toolkit's engine hands the page to the spooler, not the program.
    EXPECT_FALSE(queue.takesDocuments());
}

} // namespace
} // namespace kestrune
