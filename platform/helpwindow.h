// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The user guide inside the program: a plain help window that shows the guide's web page (the one
// the build makes from docs/user-guide.md), so that help opens on every machine, a desktop
// without a web browser included. A toolbar goes to the guide's contents, back and forward through
// the pages and places visited, finds a text (Ctrl+F, then Enter or F3 for the next place,
// Shift+F3 for the one before, Esc to close the find bar), and opens the page in the desktop's
// browser for those who prefer it. Links to the web open in the browser too. The page is drawn
// black on white, the colours it was written for, whatever the desktop's colour scheme.

#include <QMainWindow>
#include <QUrl>

class QLineEdit;
class QTextBrowser;
class QLabel;

namespace kestrune {

class Services;

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // `services` opens the browser and tells the user when it cannot.
    HelpWindow(Services &services, const QUrl &page);

    QTextBrowser *browser() const { return m_browser; }

    // Shows `page` (a place in the guide) and brings the window forward.
    void showPage(const QUrl &page);

    // Looks for `text` from the cursor on (or back); wraps around once. False when the guide does
    // not hold it.
    bool find(const QString &text, bool backward = false);

private:
    void openLink(const QUrl &link);
    void openInBrowser();
    void showFindBar();

    Services &m_services;
    QTextBrowser *m_browser;
    QWidget *m_findBar;
    QLineEdit *m_findText;
    QLabel *m_findStatus;
};

} // namespace kestrune
