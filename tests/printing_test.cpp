// SPDX-License-Identifier: GPL-3.0-or-later
// The report as the print dialog's printer lays it out on paper of either orientation.

#include "printing/qtprinter.h"

#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kestrune {
namespace {

// Prints the report's 34 lines (as the report does) to a PDF page and returns the page's words
// with their boxes, as pdftotext reads them.
QString printReportPage(const QString &file, QPageLayout::Orientation orientation)
{
    std::unique_ptr<QPrinter> page = QtPrinter::newPagePrinter();
    page->setOutputFormat(QPrinter::PdfFormat);
    page->setOutputFileName(file);
    page->setPageSize(QPageSize(QPageSize::A4));
    page->setPageOrientation(orientation);
    QtPrinter printer(std::move(page));
    printer.setFontName(QStringLiteral("Courier New"));
    printer.setFontSize(14);
    for (int line = 1; line <= 33; ++line)
        printer.printLine(
            QStringLiteral("    Line %1").arg(line).leftJustified(66, QLatin1Char('x')));
    printer.setFontSize(10);
    printer.printLine(QStringLiteral("      Another timesaving program from www.example.org"));
    printer.endDocument();
    QProcess reader;
    reader.start(
        QStringLiteral("pdftotext"), { QStringLiteral("-bbox"), file, QStringLiteral("-") });
    reader.waitForFinished();
    return QString::fromUtf8(reader.readAllStandardOutput());
}

TEST(QtPrinter, ReportStaysInsideTheMarginsOnLandscapePaper)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed (package poppler-utils)";
    QTemporaryDir dir;
    for (const auto orientation : { QPageLayout::Landscape, QPageLayout::Portrait }) {
        const QString words
            = printReportPage(dir.filePath(QStringLiteral("report.pdf")), orientation);
        // <page width="842.000000" height="595.000000"> ... <word xMin=".." yMin=".." xMax=".."
        // yMax="..">
        const QRegularExpression pageSize(
            QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
        const QRegularExpressionMatch size = pageSize.match(words);
        ASSERT_TRUE(size.hasMatch()) << qPrintable(words);
        const double width = size.captured(1).toDouble();
        const double height = size.captured(2).toDouble();
        const QRegularExpression wordBox(
            QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                           "yMax=\"([0-9.]+)\">([^<]*)<"));
        double lowest = 0;
        double rightmost = 0;
        bool lastLine = false;
        for (const QRegularExpressionMatch &word : wordBox.globalMatch(words)) {
            lowest = std::max(lowest, word.captured(4).toDouble());
            rightmost = std::max(rightmost, word.captured(3).toDouble());
            lastLine = lastLine || word.captured(5) == QLatin1String("www.example.org");
        }
        EXPECT_TRUE(lastLine);
        // Half an inch at the bottom, a quarter of an inch at the sides (to half a point, the
        // reader's rounding of the glyphs' boxes).
        EXPECT_LE(lowest, height - 36 + 0.5) << "orientation " << orientation;
        EXPECT_LE(rightmost, width - 18 + 0.5) << "orientation " << orientation;
        EXPECT_GT(lowest, height / 2) << "the text is not scaled down where it fits";
    }
}

} // namespace
} // namespace kestrune
