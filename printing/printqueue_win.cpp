// SPDX-License-Identifier: GPL-3.0-or-later
// PrintQueue on Windows: the print spooler (winspool) is asked for the printer's status before the
// page is drawn, as CUPS is on Unix (printqueue.cpp).
#include "printing/printqueue_win.h"
#include "printing/printqueue.h"

#include "printing/printer.h"

#include <string>
#include <vector>

#include <windows.h>
#include <winspool.h>

namespace kestrune {

std::optional<QString> SpoolerRefusal(
    const QString &printerName, unsigned long status, unsigned long attributes)
{
    const QString printer = QStringLiteral("The printer \"%1\"").arg(printerName);
    const QString refuses = printer + QStringLiteral(" does not accept jobs");
    if (status & PRINTER_STATUS_PENDING_DELETION)
        return sentence(printer + QStringLiteral(" does not exist any more"));
    if (status & PRINTER_STATUS_PAUSED) return sentence(refuses, QStringLiteral("it is paused"));
    if ((status & PRINTER_STATUS_OFFLINE) || (attributes & PRINTER_ATTRIBUTE_WORK_OFFLINE))
        return sentence(refuses, QStringLiteral("it is offline"));
    if (status & PRINTER_STATUS_NOT_AVAILABLE)
        return sentence(refuses, QStringLiteral("it is not available"));
    if (status & PRINTER_STATUS_ERROR) return sentence(refuses, QStringLiteral("it is in error"));
    return std::nullopt;
}

PrintQueue::PrintQueue(QString printerName) : m_printerName(std::move(printerName)) { }

std::optional<QString> PrintQueue::refusal() const
{
    const QString printer = QStringLiteral("The printer \"%1\"").arg(m_printerName);
    std::wstring name = m_printerName.toStdWString();
    HANDLE handle = nullptr;
    if (!OpenPrinterW(name.data(), &handle, nullptr)) {
        const DWORD error = GetLastError();
        if (error == ERROR_INVALID_PRINTER_NAME)
            return sentence(printer + QStringLiteral(" does not exist any more"));
        return sentence(printer + QStringLiteral(" could not be reached"),
            qt_error_string(static_cast<int>(error)));
    }
    DWORD needed = 0;
    GetPrinterW(handle, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    const bool read = needed > 0 && GetPrinterW(handle, 2, buffer.data(), needed, &needed);
    const DWORD error = GetLastError();
    ClosePrinter(handle);
    if (!read) {
        return sentence(printer + QStringLiteral(" could not be reached"),
            qt_error_string(static_cast<int>(error)));
    }
    const auto *info = reinterpret_cast<const PRINTER_INFO_2W *>(buffer.data());
    return SpoolerRefusal(m_printerName, info->Status, info->Attributes);
}

// The toolkit's engine sends the page to the spooler, which takes the job whole; what the printer
// does with it later is its queue's concern, shown by Windows itself.
bool PrintQueue::takesDocuments() const
{
    return false;
}

std::optional<QString> PrintQueue::submit(
    const QByteArray &, const QString &, const Options &) const
{
    return sentence(QStringLiteral("The printer \"%1\" takes no document").arg(m_printerName));
}

} // namespace kestrune
