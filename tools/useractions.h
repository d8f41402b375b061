// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a script's actions reach Kestrune's windows, and how its modal boxes and dialogs are
// answered. Two ways:
// - offscreen: events handed to the widgets by Qt's test functions, and the recording services
//   (the dialogs are replaced by a queue of answers; fast, exact, no display needed);
// - on a real X display: clicks and keys sent through the X server (XTEST), the real message
//   boxes, prompt and print dialog, each read back and answered with real key presses.
// Both write the same transcript lines for the same session.

#include "tools/recordingservices.h"

#include <QDate>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QMainWindow;
class QWidget;

namespace kestrune {

class Services;

struct KeyCombination {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    // The text a keyboard sends with the key ("z" for Z, "Z" for Shift+Z), empty for keys that
    // type nothing (Tab, Home...).
    QString text;
};

class UserActions {
public:
    virtual ~UserActions() = default;

    // The services the windows are built with.
    virtual Services &services() = 0;
    virtual void queueAnswer(std::optional<QString> text) = 0;
    // `target`: the file of a PDF answer, the printer of a queue answer. Throws ScriptError where
    // the answer cannot be given this way, or names a printer the print system does not have.
    virtual void queuePrintAnswer(RecordingServices::PrintAnswer answer, const QString &target) = 0;
    virtual void setToday(QDate date) = 0;
    // The next attempt to open a web page finds no browser. Throws ScriptError where the desktop's
    // own browser is used.
    virtual void failNextBrowser() = 0;

    // A left-button click at `at` in `control`'s coordinates.
    virtual void click(QWidget *control, QPoint at) = 0;
    // One keystroke that types `character` (a code point) into the focused control of `window`.
    virtual void typeCharacter(QWidget *window, char32_t character) = 0;
    virtual void pressKey(QWidget *window, const KeyCombination &key) = 0;
    virtual void chooseMenuItem(QMainWindow *window, QAction *item) = 0;
    // Makes `window` the active window, as a click on its title bar (or the task bar) does.
    virtual void activate(QWidget *window) = 0;
    // Closes `window` by its frame, as the close box does.
    virtual void close(QWidget *window) = 0;
    // Returns once the program has handled everything the last action caused.
    virtual void settle() = 0;
};

// Offscreen: Qt's test events and the recording services, which write to `record`.
std::unique_ptr<UserActions> makeOffscreenActions(std::function<void(const QString &)> record);

// On the X display named by DISPLAY; null, with the reason in `why`, where there is none.
std::unique_ptr<UserActions> makeDesktopActions(
    std::function<void(const QString &)> record, QString *why);

} // namespace kestrune
