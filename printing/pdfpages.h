// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A PDF document as a printer whose every document is a page: kestrune-calc prints the window's
// report onto it through the same printing routine as Print Data, line by line in the same faces
// and sizes, one page per escalator.

#include "printing/page.h"
#include "printing/printer.h"

#include <QPageSize>
#include <QSet>

namespace kestrune {

class PdfPages : public Printer {
public:
    PdfPages(const QPageSize &paper, const QString &creator);

    // May throw PrintFailure: a face the system cannot draw would leave the page blank.
    void printLine(const QString &text) override;
    void endDocument() override;
    void printWindowImage(QWidget *) override;

    std::size_t pages() const { return m_pages; }

    // The complete document. May throw PrintFailure.
    QByteArray finish();

private:
    PdfDocument m_document;
    PageText m_text;
    QSet<QString> m_drawable;
    std::size_t m_pages = 0;
};

} // namespace kestrune
