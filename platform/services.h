// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The modal services the windows rely on: message boxes, the one-line text prompt, the print
// dialog with the printer it chooses, the current date, the About box, the help window, the
// clipboard and the desktop's browser.
// Each window receives one Services in its constructor. The program uses QtServices (real dialogs
// and printers); the scripted driver and the tests use RecordingServices, which answer from a queue
// and record what the user would see, so the real windows run headless with everything else
// unchanged.

#include "core/messages.h"

#include <QDate>
#include <QString>

#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

class QUrl;
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

class Services {
public:
    virtual ~Services() = default;

    // A modal message box over `owner` with the OK button alone; `style` is a MessageStyle.
    virtual void showMessage(QWidget *owner, const QString &prompt, int style, const QString &title)
        = 0;

    // A modal prompt for one line of text; no value when the user cancels.
    virtual std::optional<QString> askText(
        QWidget *owner, const QString &prompt, const QString &title)
        = 0;

    // The print dialog; the printer chosen there, or none when the user cancels.
    virtual std::unique_ptr<Printer> choosePrinter(QWidget *owner) = 0;

    virtual QDate today() = 0;

    // The About box: the program's name and version, its licence and web address.
    virtual void showAbout(QWidget *owner, const QString &title, const QString &text) = 0;

    // Shows a web page or a local document in the desktop's web browser; false when no browser
    // could be started.
    virtual bool openInBrowser(const QUrl &url) = 0;

    // Shows the user guide's page `page` (a local file, perhaps with a place in it) in the
    // program's help window: one window, brought forward when it is open already.
    virtual void showUserGuide(QWidget *owner, const QUrl &page) = 0;

    // Puts a copy on the desktop's clipboard: `text` as plain text, and `html` for programs that
    // take formatted text (spreadsheets, word processors).
    virtual void copyToClipboard(const QString &text, const QString &html) = 0;
};

// The date as the user writes it in short form (the program's locale, which is the system's
// unless a caller set another).
QString shortDateText(QDate date);

// Prints the results report's lines on one page in the report's fixed-pitch font, each line in
// its weight and size, and sends the page. May throw PrintFailure.
void printReport(Printer &printer, const std::vector<ReportLine> &lines);

} // namespace kestrune
