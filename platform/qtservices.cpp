// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qtservices.h"

#include "platform/helpwindow.h"
#include "platform/qttext.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QMimeData>
#include <QPdfWriter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace kestrune {

namespace {

// A message box wraps a text wider than about 500 pixels. Kestrune's messages are single
// sentences; each is shown on one line, the box as wide as the sentence needs, as long as the box
// stays within the toolkit's widest message box for the screen; beyond that the text wraps.
void keepOnOneLine(QMessageBox &box, const QString &prompt)
{
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    const QScreen *screen = box.screen();
    if (!label || !screen) return;
    const int screenWidth = screen->availableGeometry().width();
    // The widest box the toolkit allows: the screen itself on small screens.
    const int widest = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    // Room for the margins, the icon and the spacing beside the text, with some to spare.
    const QMargins margins = box.layout() ? box.layout()->contentsMargins() : QMargins();
    const int besideText = margins.left() + margins.right()
        + qRound(box.iconPixmap().deviceIndependentSize().width())
        + 4 * box.style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
    const int oneLine = QFontMetrics(label->font()).horizontalAdvance(prompt) + 2;
    label->setMinimumWidth(std::min(oneLine, widest - besideText));
}

} // namespace

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
    keepOnOneLine(box, prompt);
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

QtServices::~QtServices()
{
    delete m_guide;
}

void QtServices::showUserGuide(QWidget *, const QUrl &page)
{
    // The guide is a window of its own beside the calculator, not owned by the window that asked.
    if (auto *guide = qobject_cast<HelpWindow *>(m_guide.data()))
        guide->showPage(page);
    else
        m_guide = new HelpWindow(*this, page);
}

void QtServices::copyToClipboard(const QString &text, const QString &html)
{
    auto *data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(data);
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
    // A page left unfinished is cancelled where the printer allows it; an unfinished PDF file
    // was never written.
    if (m_painter.isActive()) {
        if (!m_pdf) m_printer->abort();
        m_painter.end();
    }
}

bool QtPrinter::writesPdfFile() const
{
    return m_printer->outputFormat() == QPrinter::PdfFormat
        && !m_printer->outputFileName().isEmpty();
}

bool QtPrinter::sendsToPrintQueue() const
{
    // The toolkit's engine hands the page to the print service exactly when it prints natively to
    // a named printer rather than into a file.
    return m_printer->outputFormat() == QPrinter::NativeFormat
        && m_printer->outputFileName().isEmpty() && !m_printer->printerName().isEmpty();
}

void QtPrinter::fail(const QString &detail) const
{
    if (writesPdfFile())
        throw PrintFailure(sentence(QStringLiteral("The file \"%1\" could not be written")
                                        .arg(QDir::toNativeSeparators(m_printer->outputFileName())),
            detail)
                               .toStdString());
    if (!m_printer->printerName().isEmpty())
        throw PrintFailure(sentence(
            QStringLiteral("The printer \"%1\" could not be reached").arg(m_printer->printerName()),
            detail)
                               .toStdString());
    throw PrintFailure(
        sentence(QStringLiteral("No printer could be reached"), detail).toStdString());
}

void QtPrinter::begin()
{
    if (m_painter.isActive()) return;
    if (writesPdfFile()) {
        m_pdfBytes.setData(QByteArray());
        m_pdfBytes.open(QIODevice::WriteOnly);
        m_pdf = std::make_unique<QPdfWriter>(&m_pdfBytes);
        m_pdf->setPdfVersion(m_printer->pdfVersion());
        m_pdf->setResolution(m_printer->resolution());
        m_pdf->setPageLayout(m_printer->pageLayout());
        m_pdf->setTitle(m_printer->docName());
        m_pdf->setCreator(m_printer->creator());
        m_device = m_pdf.get();
    } else {
        // A queue that would refuse the page is found out before anything is drawn: once the
        // painter has begun, the engine sends whatever it has when it ends and cannot be stopped.
        if (sendsToPrintQueue()) {
            m_queue.emplace(m_printer->printerName());
            if (const std::optional<QString> why = m_queue->refusal())
                throw PrintFailure(why->toStdString());
        }
        m_device = m_printer.get();
    }
    if (!m_painter.begin(m_device)) fail();
}

void QtPrinter::finish()
{
    bool ended = false;
    const auto endPage = [this, &ended] { ended = m_painter.end(); };
    std::optional<QString> refused;
    if (m_queue)
        refused = m_queue->refusalOfJob(endPage);
    else
        endPage();
    if (!ended || (!m_pdf && m_printer->printerState() == QPrinter::Error)) fail();
    if (refused) throw PrintFailure(refused->toStdString());
    if (m_pdf) savePdf();
}

void QtPrinter::savePdf()
{
    m_pdf.reset();
    if (const std::optional<QString> why
        = SaveWhole(m_printer->outputFileName(), m_pdfBytes.data()))
        fail(*why);
}

void QtPrinter::printLine(const QString &text)
{
    m_text.add(PageFont(fontName(), fontSize(), bold()), text);
}

void QtPrinter::endDocument()
{
    begin();
    m_text.draw(m_painter, m_device);
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
