// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qtservices.h"

#include <QDesktopServices>
#include <QDir>
#include <QFontDatabase>
#include <QInputDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace kestrune {

void QtServices::showMessage(QWidget *owner, const QString &prompt, int style, const QString &title)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style) {
    case MessageStyle::Stop:
        icon = QMessageBox::Critical;
        break;
    case MessageStyle::Question:
        icon = QMessageBox::Question;
        break;
    case MessageStyle::Information:
        icon = QMessageBox::Information;
        break;
    default:
        break;
    }
    QMessageBox box(icon, title, prompt, QMessageBox::Ok, owner);
    box.exec();
}

std::optional<QString> QtServices::askText(
    QWidget *owner, const QString &prompt, const QString &title)
{
    QInputDialog dialog(owner);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::unique_ptr<Printer> QtServices::choosePrinter(QWidget *owner)
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

QDate QtServices::today()
{
    return QDate::currentDate();
}

void QtServices::showAbout(QWidget *owner, const QString &title, const QString &text)
{
    QMessageBox::about(owner, title, text);
}

bool QtServices::openInBrowser(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
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
      m_printer(std::move(printer)),
      m_lines(m_painter, m_printer.get())
{ }

QtPrinter::~QtPrinter()
{
    // A page left unfinished is cancelled where the printer allows it.
    if (m_painter.isActive()) {
        m_printer->abort();
        m_painter.end();
    }
}

QFont QtPrinter::currentFont() const
{
    return PageFont(fontName(), fontSize(), bold());
}

QString QtPrinter::sendFailureReason() const
{
    if (m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty())
        return QStringLiteral("The file \"%1\" could not be written.")
            .arg(QDir::toNativeSeparators(m_printer->outputFileName()));
    if (!m_printer->printerName().isEmpty())
        return QStringLiteral("The printer \"%1\" could not be reached.")
            .arg(m_printer->printerName());
    return QStringLiteral("No printer could be reached.");
}

void QtPrinter::begin()
{
    if (m_painter.isActive()) return;
    if (!m_painter.begin(m_printer.get())) throw PrintFailure(sendFailureReason().toStdString());
    m_lines.restart();
}

void QtPrinter::finish()
{
    if (!m_painter.end() || m_printer->printerState() == QPrinter::Error)
        throw PrintFailure(sendFailureReason().toStdString());
}

void QtPrinter::printLine(const QString &text)
{
    begin();
    m_lines.print(currentFont(), text);
}

void QtPrinter::endDocument()
{
    begin();
    finish();
}

void QtPrinter::printWindowImage(QWidget *clientArea)
{
    begin();
    // The window fills the width (or the height) of the printable area, keeping its proportions.
    const QRect page = m_painter.viewport();
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

    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawPixmap(QRectF(QPointF(0, 0), target), image, QRectF(image.rect()));
    finish();
}

} // namespace kestrune
