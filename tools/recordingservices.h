// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Services for the scripted driver and the tests: every dialog is answered from a queue filled in
// advance, and everything the user would have seen is written as one transcript line.

#include "platform/services.h"

#include <deque>
#include <functional>

namespace kestrune {

// A text quoted for the transcript: " is written \" and \ is written \\.
QString quoted(const QString &text);

class RecordingServices : public Services {
public:
    enum class PrintAnswer { Ok, Cancel, Fail, Pdf };

    explicit RecordingServices(std::function<void(const QString &)> record);

    // The next prompt is answered with OK and `text`, or with Cancel when no text is given.
    void queueAnswer(std::optional<QString> text) { m_answers.push_back(std::move(text)); }
    // The next print dialog is answered; Pdf renders the page with the real printer into `file`.
    void queuePrintAnswer(PrintAnswer answer, const QString &file = {});
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

private:
    std::function<void(const QString &)> m_record;
    std::deque<std::optional<QString>> m_answers;
    std::deque<std::pair<PrintAnswer, QString>> m_printAnswers;
    QDate m_today = QDate::currentDate();
    bool m_browserFails = false;
};

} // namespace kestrune
