// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qtservices.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
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

std::optional<QString> QtServices::askText(QWidget *owner, const QString &prompt,
    const QString &title)
{
    QInputDialog dialog(owner);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::unique_ptr<Printer> QtServices::choosePrinter(QWidget *owner)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QStringLiteral("Escalator Rated Load Results"));
    if (printer->outputFormat() == QPrinter::PdfFormat)
        printer->setOutputFileName(QDir::home().filePath(QStringLiteral("escalator-report.pdf")));
    QPrintDialog dialog(printer.get(), owner);
    // One page of results: no choice of a selection or of a page range.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::make_unique<QtPrinter>(std::move(printer));
}

QDate QtServices::today()
{
    return QDate::currentDate();
}

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer)
    : m_printer(std::move(printer))
    , m_fontName(QFontDatabase::systemFont(QFontDatabase::FixedFont).family())
{
}

QtPrinter::~QtPrinter()
{
    if (m_painter.isActive())
        m_painter.end();
}

QFont QtPrinter::currentFont() const
{
    QFont font;
    QStringList families { m_fontName };
    // Metric twins of Courier New first, then any fixed-pitch face.
    families << QStringLiteral("Liberation Mono") << QStringLiteral("Cousine")
             << QStringLiteral("DejaVu Sans Mono")
             << QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    font.setFamilies(families);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(m_fontSize);
    font.setBold(m_bold);
    return font;
}

void QtPrinter::begin()
{
    if (m_painter.isActive())
        return;
    if (!m_painter.begin(m_printer.get()))
        throw PrintFailure("The printer could not be opened.");
    m_y = 0;
}

void QtPrinter::printLine(const QString &text)
{
    begin();
    const QFont font = currentFont();
    m_painter.setFont(font);
    const QFontMetricsF metrics(font, m_printer.get());
    m_painter.drawText(QPointF(0, m_y + metrics.ascent()), text);
    m_y += metrics.lineSpacing();
}

void QtPrinter::endDocument()
{
    begin();
    if (!m_painter.end())
        throw PrintFailure("The page could not be sent to the printer.");
}

void QtPrinter::printWindowImage(QWidget *clientArea)
{
    // Render the window at three times its pixel size so that text and lines stay sharp on paper,
    // then fit the image to the printable area, keeping its proportions.
    const qreal ratio = std::max<qreal>(3.0, clientArea->devicePixelRatioF());
    QPixmap image(clientArea->size() * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(clientArea->palette().color(QPalette::Window));
    clientArea->render(&image);

    begin();
    const QRect page = m_painter.viewport();
    QSizeF target = QSizeF(clientArea->size());
    target.scale(page.size(), Qt::KeepAspectRatio);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawPixmap(QRectF(QPointF(0, 0), target), image, QRectF(image.rect()));
    if (!m_painter.end())
        throw PrintFailure("The page could not be sent to the printer.");
}

} // namespace kestrune
