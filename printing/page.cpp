// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/page.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>

namespace kestrune {

QFont PageFont(const QString &family, double points, bool bold)
{
    QFont font;
    QStringList families { family };
    // Metric twins of Courier New first, then any fixed-pitch face.
    families << QStringLiteral("Liberation Mono") << QStringLiteral("Cousine")
             << QStringLiteral("DejaVu Sans Mono")
             << QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    font.setFamilies(families);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

bool CanDrawText(const QFont &font)
{
    if (QFontInfo(font).family().isEmpty()) return false;
    const QRawFont face = QRawFont::fromFont(font);
    return face.isValid() && face.supportsCharacter(QLatin1Char('0'))
        && face.supportsCharacter(QLatin1Char('E'));
}

void PageText::draw(QPainter &painter, QPaintDevice *device)
{
    // Metrics of the page, not of the screen: the device's resolution sets the line height.
    double height = 0;
    double width = 0;
    for (const Line &line : m_lines) {
        const QFontMetricsF metrics(line.font, device);
        height += metrics.lineSpacing();
        width = std::max(width, metrics.horizontalAdvance(line.text));
    }
    double scale = 1;
    if (height > device->height()) scale = device->height() / height;
    if (width * scale > device->width()) scale = device->width() / width;
    painter.save();
    painter.scale(scale, scale);
    double y = 0;
    for (const Line &line : m_lines) {
        const QFontMetricsF metrics(line.font, device);
        painter.setFont(line.font);
        painter.drawText(QPointF(0, y + metrics.ascent()), line.text);
        y += metrics.lineSpacing();
    }
    painter.restore();
    m_lines.clear();
}

PdfDocument::PdfDocument(
    const QPageLayout &layout, int resolution, const QString &title, const QString &creator)
    : m_writer(&m_bytes)
{
    m_bytes.open(QIODevice::WriteOnly);
    m_writer.setTitle(title);
    m_writer.setCreator(creator);
    m_writer.setResolution(resolution);
    m_writer.setPageLayout(layout);
}

QPainter *PdfDocument::newPage()
{
    if (!m_painter.isActive()) return m_painter.begin(&m_writer) ? &m_painter : nullptr;
    return m_writer.newPage() ? &m_painter : nullptr;
}

std::optional<QByteArray> PdfDocument::finish()
{
    if (m_painter.isActive() && !m_painter.end()) return std::nullopt;
    return m_bytes.data();
}

std::optional<QString> SaveWhole(const QString &path, const QByteArray &bytes)
{
    // Renaming a new file onto a device, a pipe or a folder would replace it (as root, even
    // /dev/null): only a regular file, or a name not yet taken, is written.
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isFile()) return QStringLiteral("it is not a regular file");
    QSaveFile file(path);
    // Unbuffered, so that a disk that fills up midway reports its own reason at once.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return file.errorString();
    auto abandon = [&file] {
        QString why = file.errorString();
        file.cancelWriting();
        return why;
    };
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0) return abandon();
        written += count;
    }
    // What is still held in the file's buffer goes to the disk now, where its failure shows;
    // committing alone would not tell it.
    if (!file.flush()) return abandon();
    if (!file.commit()) return file.errorString();
    return std::nullopt;
}

} // namespace kestrune
