// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Services for the scripted driver and the tests: every dialog is answered from a queue filled in
// advance, and everything the user would have seen is written as one transcript line.

#include "platform/services.h"

#include <deque>
#include <functional>
#include <memory>

class QPrinter;

namespace kestrune {

// A text quoted for the transcript: " is written \" and \ is written \\.
QString quoted(const QString &text);

class RecordingServices : public Services {
public:
    enum class PrintAnswer { Ok, Cancel, Fail, Pdf, Queue };

    explicit RecordingServices(std::function<void(const QString &)> record);
    ~RecordingServices() override;

    // The next prompt is answered with OK and `text`, or with Cancel when no text is given.
    void queueAnswer(std::optional<QString> text) { m_answers.push_back(std::move(text)); }
    // The next print dialog is answered. Pdf renders the page with the real printer into the file
    // `target`; Queue chooses the system printer `target`, as the dialog offers it now (the dialog
    // lists the printers there are when it opens), and the real printer prints to its queue. False,
    // with nothing queued, where the print system has no printer `target`.
    bool queuePrintAnswer(PrintAnswer answer, const QString &target = {});
    void setToday(QDate date) { m_today = date; }

    void showMessage(
        QWidget *owner, const QString &prompt, int style, const QString &title) override;
    std::optional<QString> askText(
        QWidget *owner, const QString &prompt, const QString &title) override;
    std::unique_ptr<Printer> choosePrinter(QWidget *owner) override;
    QDate today() override { return m_today; }
    void showAbout(QWidget *owner, const QString &title, const QString &text) override;
    // Records the address; the next request fails, as on a desktop without a browser, after
    // failNextBrowser().
    bool openInBrowser(const QUrl &url) override;
    void failNextBrowser() { m_browserFails = true; }
    // Records the page the help window would show.
    void showUserGuide(QWidget *owner, const QUrl &page) override;
    // Records the plain text (tabs written \t, line breaks \n) and keeps both forms.
    void copyToClipboard(const QString &text, const QString &html) override;
    QString clipboardText() const { return m_clipboardText; }
    QString clipboardHtml() const { return m_clipboardHtml; }

private:
    std::function<void(const QString &)> m_record;
    std::deque<std::optional<QString>> m_answers;
    struct DialogAnswer {
        PrintAnswer answer;
        QString target;
        // For Queue: the printer as the dialog set it up.
        std::unique_ptr<QPrinter> printer;
    };
    std::deque<DialogAnswer> m_printAnswers;
    QDate m_today = QDate::currentDate();
    bool m_browserFails = false;
    QString m_clipboardText, m_clipboardHtml;
};

} // namespace kestrune
