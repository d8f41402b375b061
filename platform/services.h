// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The modal services the windows rely on: message boxes, the one-line text prompt, the print
// dialog with the printer it chooses (printing/), the current date, the About box, the help window,
// the clipboard and the desktop's browser. Each window receives one Services in its constructor.
// The program uses QtServices (real dialogs and printers); the scripted driver and the tests use
// RecordingServices, which answer from a queue and record what the user would see, so the real
// windows run headless with everything else unchanged.

#include "printing/printer.h"

#include <QDate>
#include <QString>

#include <memory>
#include <optional>

class QUrl;
class QWidget;

namespace kestrune {

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

} // namespace kestrune
