// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real printers: the print dialog, and a printer that draws on the page it set up (a system
// printer, or a PDF file chosen in the dialog).

#include "printing/page.h"
#include "printing/printer.h"
#include "printing/printqueue.h"

#include <QPainter>

class QPrinter;

namespace kestrune {

// The print dialog over `owner`, for one page; the printer chosen there, or none on Cancel.
std::unique_ptr<Printer> ChoosePrinter(QWidget *owner);

// Prints on a QPrinter that is already set up (by the print dialog, or for a PDF file). The page
// is one page: the text starts at the top margin, scaled down as a whole where the page is too
// small for it (landscape paper), and a window's image is fitted to the page.
//
// A PDF file is written whole or not at all: the page is made in memory and the file is written
// aside and put in place only once complete, so a full disk or a folder that cannot be written
// leaves no truncated file behind (and an earlier file of that name untouched), and says why.
//
// A page for a system printer goes to its print queue only where the queue takes jobs when the
// page is about to be drawn. Where the program hands the page to the queue itself (CUPS), the
// page is made in memory as for a file and sent as one job, and a queue that refuses the job
// says why: either ends in PrintFailure, as a printer that cannot be reached does.
class QtPrinter : public Printer {
public:
    // A printer for Kestrune's pages, before the print dialog: high resolution, margins that
    // fit the report on letter and A4 paper alike, and the document's name.
    static std::unique_ptr<QPrinter> newPagePrinter();

    explicit QtPrinter(std::unique_ptr<QPrinter> printer);
    ~QtPrinter() override;

    void printLine(const QString &text) override;
    void endDocument() override;
    void printWindowImage(QWidget *clientArea) override;

private:
    QPainter &begin();
    void finish();
    [[noreturn]] void fail(const QString &detail = {}) const;
    bool writesPdfFile() const;

    std::unique_ptr<QPrinter> m_printer;
    // For a PDF file, or a queue the program sends the page to: the page made in memory.
    std::optional<PdfDocument> m_document;
    // For a system printer: its queue, asked before the page is drawn.
    std::optional<PrintQueue> m_queue;
    // The page, on m_document or drawn by the toolkit's engine on m_printer.
    QPaintDevice *m_device = nullptr;
    QPainter *m_painter = nullptr;
    QPainter m_printerPainter;
    PageText m_text;
};

} // namespace kestrune
