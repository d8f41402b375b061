// SPDX-License-Identifier: GPL-3.0-or-later
// kestrune-calc report: the window's printed results report, one page per escalator, printed into a
// PDF file by the same code as Print Data. The file is written aside and moved into place
// once its last page is complete, so a failure never leaves a truncated PDF behind.

#include "core/report.h"
#include "cli/calculation.h"
#include "cli/commands.h"
#include "cli/escalators.h"
#include "platform/page.h"
#include "platform/services.h"

#include <QDate>
#include <QFontDatabase>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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
// through the same printing routine as Print Data, line by line in the same faces and sizes.
class PdfPages : public Printer {
public:
    PdfPages(const std::string &path, QPageSize paper)
        : Printer(QFontDatabase::systemFont(QFontDatabase::FixedFont).family()),
          m_file(QString::fromStdString(path)),
          m_path(path),
          m_paper(std::move(paper))
    {
        if (!m_file.open(QIODevice::WriteOnly))
            throw UsageError("cannot write " + path + ": " + m_file.errorString().toStdString());
    }

    void printLine(const QString &text) override
    {
        if (!m_pageOpen) openPage();
        m_lines->print(PageFont(fontName(), fontSize(), bold()), text);
    }

    void endDocument() override
    {
        if (!m_pageOpen) openPage();
        m_pageOpen = false;
        ++m_pages;
    }

    void printWindowImage(QWidget *) override { throw PrintFailure("there is no window to print"); }

    std::size_t pages() const { return m_pages; }

    // Moves the complete file into place.
    void commit()
    {
        if (m_painter.isActive() && !m_painter.end()) fail();
        if (!m_file.commit()) fail();
    }

    // Leaves no file behind.
    void discard() { m_file.cancelWriting(); }

private:
    void openPage()
    {
        if (!m_writer) {
            m_writer.emplace(&m_file);
            m_writer->setTitle(QStringLiteral("Escalator Rated Load Results"));
            m_writer->setCreator(QStringLiteral("kestrune-calc"));
            m_writer->setResolution(kPdfResolution);
            m_writer->setPageLayout(
                QPageLayout(m_paper, QPageLayout::Portrait, kPageMargins, QPageLayout::Inch));
            if (!m_painter.begin(&*m_writer)) fail();
            m_lines.emplace(m_painter, &*m_writer);
        } else {
            if (!m_writer->newPage()) fail();
            m_lines->restart();
        }
        m_pageOpen = true;
    }

    [[noreturn]] void fail()
    {
        const QString reason = m_file.errorString();
        throw UsageError(
            "cannot write " + m_path + (reason.isEmpty() ? "" : ": " + reason.toStdString()));
    }

    QSaveFile m_file;
    std::string m_path;
    QPageSize m_paper;
    std::optional<QPdfWriter> m_writer;
    QPainter m_painter;
    std::optional<PageLines> m_lines;
    bool m_pageOpen = false;
    std::size_t m_pages = 0;
};

} // namespace

int RunReport(const Options &options, std::ostream &err)
{
    PdfPages file(options.pdfFile, paperOf(options));
    const std::string date = dateText(options).toStdString();
    bool refused = false;

    const std::size_t escalators = forEachEscalator(
        options, [](const CsvStyle &) {},
        [&](FleetRow &row) {
            auto tell = [&](const Notice &notice, std::string_view kind) {
                err << messageLine(
                    options, row.row, notice.column, std::string(kind) + notice.text);
            };
            if (row.problem) {
                tell({ row.problem->column, row.problem->message }, {});
                refused = true;
                return;
            }
            const EscalatorResult result = CalculateEscalator(row.entry);
            // The page shows no warning, so the user hears of them here.
            for (const Notice &warning : result.warnings)
                tell(warning, "warning: ");
            if (result.error) {
                tell(*result.error, "no page: ");
                refused = true;
                return;
            }
            printReport(file, ReportLines(result.report, row.entry.units, date));
        });

    if (escalators == 0)
        throw UsageError(fileLabel(options.csvFile.value_or("-"))
            + " has no escalator after its header row: no report was written");
    if (file.pages() == 0) {
        file.discard();
        err << "kestrune-calc: " << options.pdfFile
            << " was not written: no escalator could be calculated\n";
        return 1;
    }
    file.commit();
    return refused ? 1 : 0;
}

} // namespace kestrune
