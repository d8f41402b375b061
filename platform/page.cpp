// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/page.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <QStringList>

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

void PageLines::print(const QFont &font, const QString &text)
{
    m_painter.setFont(font);
    // Metrics of the page, not of the screen: the device's resolution sets the line height.
    const QFontMetricsF metrics(font, m_device);
    m_painter.drawText(QPointF(0, m_y + metrics.ascent()), text);
    m_y += metrics.lineSpacing();
}

} // namespace kestrune
