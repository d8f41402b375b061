// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A print job as the windows and kestrune-calc see it: lines of text in a font and weight, or the
// image of a window, on the printer the user chose (a system printer, a PDF file, or the driver's
// recording printer). What is printed, and how a failure is told, is written here once.

#include "core/messages.h"

#include <QDate>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

class QWidget;

namespace kestrune {

struct ReportLine;

// A printer fault: the printer went away, refused the job or could not be opened.
class PrintFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One print job on the printer chosen in the print dialog. Lines are printed top to bottom in the
// current font; endDocument() sends the page. Every call may throw PrintFailure.
class Printer {
public:
    virtual ~Printer() = default;

    // The font that the following lines are printed in.
    QString fontName() const { return m_fontName; }
    void setFontName(const QString &name) { m_fontName = name; }
    double fontSize() const { return m_fontSize; }
    void setFontSize(double points) { m_fontSize = points; }
    bool bold() const { return m_bold; }
    void setBold(bool bold) { m_bold = bold; }

    // Prints one line (empty text: an empty line of the current font's height).
    virtual void printLine(const QString &text) = 0;
    virtual void endDocument() = 0;

    // Prints the image of `clientArea` (a window's client area with its controls as they show)
    // on its own page and sends it.
    virtual void printWindowImage(QWidget *clientArea) = 0;

protected:
    explicit Printer(QString fontName) : m_fontName(std::move(fontName)) { }

private:
    QString m_fontName;
    double m_fontSize = 10;
    bool m_bold = false;
};

// The date as the user writes it in short form (the program's locale, which is the system's
// unless a caller set another).
QString shortDateText(QDate date);

// Prints the results report's lines on one page in the report's fixed-pitch font, each line in
// its weight and size, and sends the page. May throw PrintFailure.
void printReport(Printer &printer, const std::vector<ReportLine> &lines);

// Runs `print` on `printer`, the one the user chose (none: the print dialog was cancelled, and
// nothing is printed or said). A printer that fails must not leave the user waiting for a page
// that never comes: its fault is the "Print Failed" message about `what` ("The report").
std::optional<Message> PrintOn(std::unique_ptr<Printer> printer, const char *what,
    const std::function<void(Printer &)> &print);

// A sentence for the user: `text`, then the system's `reason` after a colon where there is one,
// closed by exactly one full stop (Windows' reasons come with one; the C library's and CUPS's
// mostly without).
QString sentence(QString text, const QString &reason = {});

} // namespace kestrune
