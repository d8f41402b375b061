// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Windows print spooler's side of PrintQueue (printqueue_win.cpp).

#include <QString>

#include <optional>

namespace kestrune {

// The reason, as a sentence for the user, why the spooler's printer `printerName` would not take a
// page, from its status and attributes (PRINTER_INFO_2): paused, offline (or set to be used
// offline), in error, or about to be deleted; none where it takes jobs.
std::optional<QString> SpoolerRefusal(
    const QString &printerName, unsigned long status, unsigned long attributes);

} // namespace kestrune
