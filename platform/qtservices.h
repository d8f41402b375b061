// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real services: Qt's message boxes and input dialog, the print dialog (printing/qtprinter),
// the help window, the clipboard and the desktop's browser.

#include "platform/services.h"

#include <QPointer>

namespace kestrune {

class QtServices : public Services {
public:
    QtServices() = default;
    QtServices(const QtServices &) = delete;
    QtServices &operator=(const QtServices &) = delete;

    void showMessage(
        QWidget *owner, const QString &prompt, int style, const QString &title) override;
    std::optional<QString> askText(
        QWidget *owner, const QString &prompt, const QString &title) override;
    std::unique_ptr<Printer> choosePrinter(QWidget *owner) override;
    QDate today() override;
    void showAbout(QWidget *owner, const QString &title, const QString &text) override;
    bool openInBrowser(const QUrl &url) override;
    void showUserGuide(QWidget *owner, const QUrl &page) override;
    void copyToClipboard(const QString &text, const QString &html) override;

    ~QtServices() override;

private:
    QPointer<QWidget> m_guide; // the help window, while it is open
};

} // namespace kestrune
