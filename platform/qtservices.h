// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real services: Qt's message boxes, input dialog and print dialog, and a printer that draws
// on a QPrinter (a system printer, or a PDF file chosen in the print dialog).

#include "platform/page.h"
#include "platform/printqueue.h"
#include "platform/services.h"

#include <QBuffer>
#include <QPainter>
#include <QPointer>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;

namespace kestrune {

class QtServices : public Services {
public:
    QtServices() = default;
    QtServices(const QtServices &) = delete;
    QtServices &operator=(const QtServices &) = delete;

    void showMessage(
        QWidget *owner, const QString &prompt, int style, const QString &title) override;
    std::optional<QString> askText(
        QWidget *owner, const QString &prompt, const QString &title) override;
    std::unique_ptr<Printer> choosePrinter(QWidget *owner) override;
    QDate today() override;
    void showAbout(QWidget *owner, const QString &title, const QString &text) override;
    bool openInBrowser(const QUrl &url) override;
    void showUserGuide(QWidget *owner, const QUrl &page) override;
    void copyToClipboard(const QString &text, const QString &html) override;

    ~QtServices() override;

private:
    QPointer<QWidget> m_guide; // the help window, while it is open
};

// Prints on a QPrinter that is already set up (by the print dialog, or for a PDF file). The page
// is one page: the text starts at the top margin, scaled down as a whole where the page is too
// small for it (landscape paper), and a window's image is fitted to the page.
//
// A PDF file is written whole or not at all: the page is made in memory and the file is written
// aside and put in place only once complete, so a full disk or a folder that cannot be written
// leaves no truncated file behind (and an earlier file of that name untouched), and says why.
//
// A page for a system printer goes to its print queue only where the queue takes jobs when the
// page is about to be drawn, and a queue that refuses the page once it is handed over says why:
// either ends in PrintFailure, as a printer that cannot be reached does.
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
    void begin();
    void finish();
    void savePdf();
    [[noreturn]] void fail(const QString &detail = {}) const;
    bool writesPdfFile() const;
    bool sendsToPrintQueue() const;

    std::unique_ptr<QPrinter> m_printer;
    // For a PDF file: the page is drawn into memory, then saved.
    QBuffer m_pdfBytes;
    std::unique_ptr<QPdfWriter> m_pdf;
    QPagedPaintDevice *m_device = nullptr;
    // For a system printer: its queue, asked before the page is drawn.
    std::optional<PrintQueue> m_queue;
    QPainter m_painter;
    PageText m_text;
};

} // namespace kestrune
