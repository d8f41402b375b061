// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/pdfpages.h"

#include <QFontDatabase>
#include <QPageLayout>

namespace kestrune {

PdfPages::PdfPages(const QPageSize &paper, const QString &creator)
    : Printer(QFontDatabase::systemFont(QFontDatabase::FixedFont).family()),
      m_document(QPageLayout(paper, QPageLayout::Portrait, kPageMargins, QPageLayout::Inch),
          kPdfResolution, QStringLiteral("Escalator Rated Load Results"), creator)
{ }

void PdfPages::printLine(const QString &text)
{
    const QFont font = PageFont(fontName(), fontSize(), bold());
    if (!m_drawable.contains(font.key())) {
        if (!CanDrawText(font))
            throw PrintFailure(QStringLiteral("no font is installed to draw the report's text (%1)")
                                   .arg(font.family())
                                   .toStdString());
        m_drawable.insert(font.key());
    }
    m_text.add(font, text);
}

void PdfPages::endDocument()
{
    QPainter *page = m_document.newPage();
    if (!page) throw PrintFailure("");
    m_text.draw(*page, &m_document.device());
    ++m_pages;
}

void PdfPages::printWindowImage(QWidget *)
{
    throw PrintFailure("there is no window to print");
}

QByteArray PdfPages::finish()
{
    std::optional<QByteArray> bytes = m_document.finish();
    if (!bytes) throw PrintFailure("");
    return *bytes;
}

} // namespace kestrune
