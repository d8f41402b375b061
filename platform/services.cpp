// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services.h"

#include "core/report.h"
#include "platform/qttext.h"

#include <QLocale>

namespace kestrune {

QString shortDateText(QDate date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

void printReport(Printer &printer, const std::vector<ReportLine> &lines)
{
    printer.setFontName(fromUtf8(kReportFont));
    for (const ReportLine &line : lines) {
        printer.setBold(line.bold);
        printer.setFontSize(line.points);
        printer.printLine(fromUtf8(line.text));
    }
    printer.endDocument();
}

} // namespace kestrune
