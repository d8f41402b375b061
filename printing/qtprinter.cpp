// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/qtprinter.h"

#include <QDir>
#include <QFontDatabase>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace kestrune {

std::unique_ptr<Printer> ChoosePrinter(QWidget *owner)
{
    std::unique_ptr<QPrinter> printer = QtPrinter::newPagePrinter();
    // Without a system printer the dialog offers only a PDF file: suggest one in the home folder
    // rather than the folder itself. With printers, the dialog proposes the document's name.
    if (printer->outputFormat() == QPrinter::PdfFormat)
        printer->setOutputFileName(QDir::home().filePath(QStringLiteral("escalator-report.pdf")));
    QPrintDialog dialog(printer.get(), owner);
    // One page: no choice of a selection or of a page range. Printing to a PDF file stays on
    // offer; without it a machine with no printer would have nothing to choose.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return std::make_unique<QtPrinter>(std::move(printer));
}

std::unique_ptr<QPrinter> QtPrinter::newPagePrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QStringLiteral("Escalator Rated Load Results"));
    printer->setFullPage(false);
    printer->setPageMargins(kPageMargins, QPageLayout::Inch);
    return printer;
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer)
    : Printer(QFontDatabase::systemFont(QFontDatabase::FixedFont).family()),
      m_printer(std::move(printer))
{ }

QtPrinter::~QtPrinter()
{
    // A page the toolkit's engine left unfinished is cancelled where the printer allows it; a
    // page made in memory was never sent.
    if (m_printerPainter.isActive()) {
        m_printer->abort();
        m_printerPainter.end();
    }
}

bool QtPrinter::writesPdfFile() const
{
    return m_printer->outputFormat() == QPrinter::PdfFormat
        && !m_printer->outputFileName().isEmpty();
}

void QtPrinter::fail(const QString &detail) const
{
    QString what = QStringLiteral("No printer could be reached");
    if (writesPdfFile())
        what = QStringLiteral("The file \"%1\" could not be written")
                   .arg(QDir::toNativeSeparators(m_printer->outputFileName()));
    else if (!m_printer->printerName().isEmpty())
        what = QStringLiteral("The printer \"%1\" could not be reached")
                   .arg(m_printer->printerName());
    throw PrintFailure(sentence(what, detail).toStdString());
}

QPainter &QtPrinter::begin()
{
    if (m_painter) return *m_painter;
    // The toolkit's engine hands the page to the print service exactly when it prints natively to
    // a named printer rather than into a file.
    if (m_printer->outputFormat() == QPrinter::NativeFormat && m_printer->outputFileName().isEmpty()
        && !m_printer->printerName().isEmpty()) {
        // A queue that would refuse the page is found out before anything is drawn.
        m_queue.emplace(m_printer->printerName());
        if (const std::optional<QString> why = m_queue->refusal())
            throw PrintFailure(why->toStdString());
    }
    if (writesPdfFile() || (m_queue && m_queue->takesDocuments())) {
        m_document.emplace(m_printer->pageLayout(), m_printer->resolution(), m_printer->docName(),
            m_printer->creator());
        m_device = &m_document->device();
        m_painter = m_document->newPage();
    } else {
        // The toolkit's engine sends whatever it has when the painter ends, and cannot be stopped.
        m_device = m_printer.get();
        if (m_printerPainter.begin(m_device)) m_painter = &m_printerPainter;
    }
    if (!m_painter) fail();
    return *m_painter;
}

void QtPrinter::finish()
{
    if (!m_document) {
        if (!m_printerPainter.end() || m_printer->printerState() == QPrinter::Error) fail();
        return;
    }
    const std::optional<QByteArray> bytes = m_document->finish();
    if (!bytes) fail();
    if (writesPdfFile()) {
        if (const std::optional<QString> why = SaveWhole(m_printer->outputFileName(), *bytes))
            fail(*why);
        return;
    }
    const int copies = m_printer->copyCount();
    const QPrinter::DuplexMode duplex = m_printer->duplex();
    const char *sides = duplex == QPrinter::DuplexLongSide ? "two-sided-long-edge"
        : duplex == QPrinter::DuplexShortSide              ? "two-sided-short-edge"
                                                           : "one-sided";
    PrintQueue::Options options { { "sides", sides } };
    if (copies > 1) {
        options.emplace_back("copies", QByteArray::number(copies));
        if (m_printer->collateCopies()) options.emplace_back("Collate", "True");
    }
    if (const std::optional<QString> why = m_queue->submit(*bytes, m_printer->docName(), options))
        throw PrintFailure(why->toStdString());
}

void QtPrinter::printLine(const QString &text)
{
    m_text.add(PageFont(fontName(), fontSize(), bold()), text);
}

void QtPrinter::endDocument()
{
    QPainter &painter = begin();
    m_text.draw(painter, m_device);
    finish();
}

void QtPrinter::printWindowImage(QWidget *clientArea)
{
    QPainter &painter = begin();
    // The window fills the width (or the height) of the printable area, keeping its proportions.
    const QRect page = painter.viewport();
    QSizeF target = QSizeF(clientArea->size());
    target.scale(QSizeF(page.size()), Qt::KeepAspectRatio);

    // Render the window at about 300 dots per inch of paper, and never below the screen's own
    // pixel ratio, so that text and lines stay sharp.
    const qreal pagePixelsPerWindowPixel = target.width() / qMax(1, clientArea->width());
    const qreal ratio = qMax(clientArea->devicePixelRatioF(),
        pagePixelsPerWindowPixel * 300.0 / qMax(1, m_printer->resolution()));
    QPixmap image(clientArea->size() * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(clientArea->palette().color(QPalette::Window));
    clientArea->render(&image);

    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRectF(QPointF(0, 0), target), image, QRectF(image.rect()));
    finish();
}

} // namespace kestrune
