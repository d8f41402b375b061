// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/printer.h"

#include "core/report.h"

#include <QLocale>

namespace kestrune {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

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

std::optional<Message> PrintOn(
    std::unique_ptr<Printer> printer, const char *what, const std::function<void(Printer &)> &print)
{
    if (!printer) return std::nullopt;
    try {
        print(*printer);
    } catch (const PrintFailure &failure) {
        return Message { "Print Failed", std::string(what) + " was not printed: " + failure.what(),
            Stop };
    }
    return std::nullopt;
}

QString sentence(QString text, const QString &reason)
{
    if (!reason.isEmpty()) text += QStringLiteral(": ") + reason;
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text + QLatin1Char('.');
}

} // namespace kestrune
