// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Kestrune's printed pages on any paged device, a printer or a PDF file: the page's margins and
// resolution, the fixed-pitch face of the report, and lines of text drawn from the top of the
// printable area down. Needs Qt's GUI module only (no widgets), so that a program without windows
// prints the very pages the window prints.

#include <QFont>
#include <QMarginsF>

class QPaintDevice;
class QPainter;
class QString;

namespace kestrune {

// Half an inch at the top and bottom and a quarter at the sides: the widest report line (66
// characters of 14-point fixed-pitch text) is 7.7 inches long and so fits A4 paper (8.27 inches)
// as well as letter. In inches.
inline constexpr QMarginsF kPageMargins { 0.25, 0.5, 0.25, 0.5 };

// Dots per inch of a page drawn into a PDF file.
inline constexpr int kPdfResolution = 1200;

// The face `family` where the system has it; otherwise a face with the character widths of
// Courier New, and failing that any fixed-pitch face, so that columns counted in characters still
// line up.
QFont PageFont(const QString &family, double points, bool bold);

// Lines of text down a page, each as high as its font's line spacing on the page's device.
class PageLines {
public:
    PageLines(QPainter &painter, QPaintDevice *device) : m_painter(painter), m_device(device) { }

    // Prints one line (empty text: an empty line of the font's height).
    void print(const QFont &font, const QString &text);
    // Starts again at the top, for the next page.
    void restart() { m_y = 0; }

private:
    QPainter &m_painter;
    QPaintDevice *m_device;
    double m_y = 0;
};

} // namespace kestrune
