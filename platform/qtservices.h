// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real services: Qt's message boxes, input dialog and print dialog, and a printer that draws
// on a QPrinter (a system printer, or a PDF file chosen in the print dialog).

#include "platform/page.h"
#include "platform/services.h"

#include <QFont>
#include <QPainter>

class QPrinter;

namespace kestrune {

class QtServices : public Services {
public:
    void showMessage(
        QWidget *owner, const QString &prompt, int style, const QString &title) override;
    std::optional<QString> askText(
        QWidget *owner, const QString &prompt, const QString &title) override;
    std::unique_ptr<Printer> choosePrinter(QWidget *owner) override;
    QDate today() override;
    void showAbout(QWidget *owner, const QString &title, const QString &text) override;
    bool openInBrowser(const QUrl &url) override;
};

// Prints on a QPrinter that is already set up (by the print dialog, or for a PDF file). The page
// is one page: the text starts at the top margin, and a window's image is fitted to the page.
class QtPrinter : public Printer {
public:
    // A printer for Kestrune's pages, before the print dialog: high resolution, margins that
    // fit the report on letter and A4 paper alike, and the document's name.
    static std::unique_ptr<QPrinter> newPagePrinter();

    explicit QtPrinter(std::unique_ptr<QPrinter> printer);
    ~QtPrinter() override;

    void printLine(const QString &text) override;
    void endDocument() override;
    void printWindowImage(QWidget *clientArea) override;

    // The font the page is printed in: the chosen face where the system has it, otherwise a
    // fixed-pitch face, so that columns counted in characters still line up.
    QFont currentFont() const;

private:
    void begin();
    void finish();
    QString sendFailureReason() const;

    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    PageLines m_lines;
};

} // namespace kestrune
