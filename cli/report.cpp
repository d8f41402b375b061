// SPDX-License-Identifier: GPL-3.0-or-later
// kestrune-calc report: the window's printed results report, one page per escalator, printed into a
// PDF file by the same code as Print Data. The file is written whole once its last page is
// complete, so a failure never leaves a truncated PDF behind.

#include "core/report.h"
#include "cli/commands.h"
#include "cli/commands/escalatorrow.h"
#include "cli/escalators.h"
#include "cli/wholefile.h"
#include "platform/page.h"
#include "platform/services.h"

#include <QBuffer>
#include <QDate>
#include <QFontDatabase>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSet>

#include <optional>
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

// The PDF file as a printer whose every document is a page: the window's report goes onto it
// through the same printing routine as Print Data, line by line in the same faces and sizes. The
// pages are made in memory and the file is written whole once the last page is complete.
class PdfPages : public Printer {
public:
    PdfPages(std::string path, const QPageSize &paper)
        : Printer(QFontDatabase::systemFont(QFontDatabase::FixedFont).family()),
          m_path(std::move(path)),
          m_paper(paper)
    {
        m_bytes.open(QIODevice::WriteOnly);
    }

    void printLine(const QString &text) override
    {
        const QFont font = PageFont(fontName(), fontSize(), bold());
        // A face the system cannot draw would leave the page blank, not fail: refuse the file.
        if (!m_drawable.contains(font.key())) {
            if (!CanDrawText(font))
                fail(QStringLiteral("no font is installed to draw the report's text (%1)")
                         .arg(font.family()));
            m_drawable.insert(font.key());
        }
        m_text.add(font, text);
    }

    void endDocument() override
    {
        openPage();
        m_text.draw(m_painter, &*m_writer);
        ++m_pages;
    }

    void printWindowImage(QWidget *) override { throw PrintFailure("there is no window to print"); }

    std::size_t pages() const { return m_pages; }

    // Writes the complete file, or none.
    void commit()
    {
        if (m_painter.isActive() && !m_painter.end()) fail({});
        m_writer.reset();
        WriteWhole(m_path, m_bytes.data());
    }

private:
    void openPage()
    {
        if (!m_writer) {
            m_writer.emplace(&m_bytes);
            m_writer->setTitle(QStringLiteral("Escalator Rated Load Results"));
            m_writer->setCreator(QStringLiteral("kestrune-calc"));
            m_writer->setResolution(kPdfResolution);
            m_writer->setPageLayout(
                QPageLayout(m_paper, QPageLayout::Portrait, kPageMargins, QPageLayout::Inch));
            if (!m_painter.begin(&*m_writer)) fail({});
        } else if (!m_writer->newPage()) {
            fail({});
        }
    }

    [[noreturn]] void fail(const QString &reason)
    {
        throw UsageError(
            "cannot write " + m_path + (reason.isEmpty() ? "" : ": " + reason.toStdString()));
    }

    std::string m_path;
    QPageSize m_paper;
    QBuffer m_bytes;
    std::optional<QPdfWriter> m_writer;
    QPainter m_painter;
    PageText m_text;
    QSet<QString> m_drawable;
    std::size_t m_pages = 0;
};

} // namespace

int RunReport(const Options &options, std::ostream &err)
{
    PdfPages file(options.pdfFile, paperOf(options));
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
            printReport(file, ReportLines(result.report, row.entry.units, date));
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
    file.commit();
    if (!options.quiet) err << "kestrune-calc: " << tally.summary() << '\n';
    return tally.refused > 0 ? 1 : 0;
}

} // namespace kestrune
