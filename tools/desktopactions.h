// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The driver's mode on a real X display: DesktopActions sends every click and key through the X
// server as real input (XTEST) and waits until the program has handled it (desktopactions.cpp),
// and reads back and answers the program's real message boxes, prompt and print dialog with real
// key presses (desktopdialogs.cpp). Used only by those two files; the rest of the driver knows it
// through makeDesktopActions().

#include "platform/qtservices.h"
#include "tools/useractions.h"
#include "tools/x11input.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QThread>
#include <QWindow>

#include <deque>
#include <functional>
#include <optional>
#include <utility>

class QDialog;
class QInputDialog;
class QPrintDialog;

namespace kestrune {

// How long the program may take to react to one action before the run is given up: far longer
// than any action takes, even on a loaded machine.
constexpr int kPatience = 15000;

// The real dialogs, with the current date the script chose.
class DesktopServices : public QtServices {
public:
    QDate today() override { return m_today.isValid() ? m_today : QtServices::today(); }
    void setToday(QDate date) { m_today = date; }

private:
    QDate m_today;
};

// Notices the marker messages that follow a batch of input, and counts the mouse button
// releases the program receives (as core X events, or as the input extension's events whose
// major opcode is `inputExtension`).
class MarkerFilter : public QAbstractNativeEventFilter {
public:
    MarkerFilter(unsigned long atom, int inputExtension)
        : m_atom(atom), m_inputExtension(inputExtension)
    { }
    long seen() const { return m_seen; }
    long buttonReleases() const { return m_buttonReleases; }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override;

private:
    unsigned long m_atom;
    int m_inputExtension;
    long m_seen = 0;
    long m_buttonReleases = 0;
};

class DesktopActions : public QObject, public UserActions {
public:
    explicit DesktopActions(std::function<void(const QString &)> record);
    ~DesktopActions() override;

    bool ready() const { return m_input.isOpen(); }

    Services &services() override { return m_services; }
    void queueAnswer(std::optional<QString> text) override { m_answers.push_back(std::move(text)); }
    void queuePrintAnswer(RecordingServices::PrintAnswer answer, const QString &file) override;
    void setToday(QDate date) override { m_services.setToday(date); }
    void failNextBrowser() override;

    void click(QWidget *control, QPoint at) override;
    void typeCharacter(QWidget *window, char32_t character) override;
    void pressKey(QWidget *window, const KeyCombination &key) override;
    void chooseMenuItem(QMainWindow *window, QAction *item) override;
    void activate(QWidget *window) override;
    void close(QWidget *window) override;
    void settle() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr const char *kAnswered = "kestruneScriptAnswered";
    static constexpr const char *kRecorded = "kestruneScriptRecorded";

    // Answering the dialogs (desktopdialogs.cpp).
    void answerOnceFocused(QDialog *dialog);
    void answer(QDialog *dialog);
    void answerPrompt(QInputDialog *prompt);
    void answerPrintDialog(QPrintDialog *print);

    // Where the windows are, and waiting until they are ready for input (desktopactions.cpp).
    QPoint onScreen(QWidget *widget, QPoint at);
    bool isActive(QWidget *window);
    bool isSettled(QWidget *window);
    // A point given in `window`'s logical pixels (on the screen, or within the window), in the
    // X screen's device pixels.
    static QPoint screenPixels(QPoint point, QWidget *window);
    void waitUntilActive(QWidget *window);

    template <typename Condition> bool waitFor(Condition done, int patience = kPatience)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > patience) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (!done()) QThread::msleep(2);
        }
        return true;
    }

    std::function<void(const QString &)> m_record;
    X11Input m_input;
    unsigned long m_atom = m_input.isOpen() ? m_input.atom("_KESTRUNE_SCRIPT_MARKER") : 0;
    MarkerFilter m_markers;
    QWindow m_markerWindow;
    long m_serial = 0;
    DesktopServices m_services;
    std::deque<std::optional<QString>> m_answers;
    std::deque<std::pair<RecordingServices::PrintAnswer, QString>> m_printAnswers;
};

} // namespace kestrune
