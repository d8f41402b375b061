// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Kestrune's printed pages on any paged device, a printer or a PDF file: the page's margins and
// resolution, the fixed-pitch face of the report, lines of text set from the top of the printable
// area down, and PDF files written whole or not at all. Needs Qt's GUI module only (no widgets),
// so that a program without windows prints the very pages the window prints.

#include <QBuffer>
#include <QFont>
#include <QMarginsF>
#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include <optional>
#include <vector>

class QByteArray;
class QPageLayout;
class QPaintDevice;

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

// Whether the system has a face for `font` that draws digits and letters. Without any font file Qt
// still names the generic families but resolves none of them to a face: text drawn with it would
// be empty boxes on a screen and nothing at all in a PDF file.
bool CanDrawText(const QFont &font);

// The lines of one page, collected, then set from the top of the printable area down, each as high
// as its font's line spacing on the page's device. Where the printable area is too short or too
// narrow for them (landscape paper), the whole text is scaled down, keeping its columns.
class PageText {
public:
    // One line (empty text: an empty line of the font's height).
    void add(const QFont &font, const QString &text) { m_lines.push_back({ font, text }); }

    // Draws the lines collected so far on the page `painter` paints on `device`, and forgets them.
    void draw(QPainter &painter, QPaintDevice *device);

private:
    struct Line {
        QFont font;
        QString text;
    };
    std::vector<Line> m_lines;
};

// A PDF document made in memory, page by page, then written whole (SaveWhole) or handed over as
// one piece, so that a failure midway leaves nothing behind.
class PdfDocument {
public:
    PdfDocument(
        const QPageLayout &layout, int resolution, const QString &title, const QString &creator);

    // The painter on a new page (the first page at the first call); null where the page could not
    // be begun.
    QPainter *newPage();
    QPdfWriter &device() { return m_writer; }
    // Ends the last page: the document's bytes, or none where the painter could not end.
    std::optional<QByteArray> finish();

private:
    QBuffer m_bytes;
    QPdfWriter m_writer;
    QPainter m_painter;
};

// Writes `bytes` to the file `path` whole or not at all: written beside it, every byte accounted
// for and flushed to the disk (a disk that fills up midway stops a write short without an error of
// its own), then moved into place. An earlier file of that name stays untouched on failure. Only
// a regular file is replaced: a device, a pipe or a folder of that name is refused. Gives the
// system's reason when the file could not be written.
std::optional<QString> SaveWhole(const QString &path, const QByteArray &bytes);

} // namespace kestrune
