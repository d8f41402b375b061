// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A scripted session with Kestrune's real windows: user actions go in one command at a time, and
// what the user would have seen comes out as transcript lines. Windows, text boxes, focus, keys,
// menus and handlers are the program's own. Offscreen (the default), the modal services are
// replaced by RecordingServices; on a real X display the actions are real input and the dialogs
// are the real ones (see useractions.h). Needs a QApplication.

#include "mainwindow/mainwindow.h"
#include "tools/useractions.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

class QWidget;

namespace kestrune {

// A fault of the script itself: unknown command or control, a window that is not open, a
// command after the program ended.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ScriptSession {
public:
    enum class Display { Offscreen, Desktop };

    // Throws ScriptError when the session cannot run on `display`.
    explicit ScriptSession(
        std::function<void(const QString &)> output, Display display = Display::Offscreen);
    ~ScriptSession();
    ScriptSession(const ScriptSession &) = delete;
    ScriptSession &operator=(const ScriptSession &) = delete;

    // Runs one script line (echoed first); blank lines and comments are skipped.
    // Throws ScriptError for a fault of the script.
    void run(const QString &line);

    bool ended() const { return m_ended; }
    MainWindow *mainWindow() const { return m_main; }
    TriangleWindow *triangleWindow() const { return m_triangle; }

    // The window names the driver knows: "main", "triangle".
    QWidget *window(const QString &name) const;
    QString activeWindowName() const;

private:
    void execute(const QString &command, const QString &argument, bool hasArgument);
    QWidget *resolve(const QString &name) const;
    QObject *resolveObject(const QString &name) const;
    void activate(QWidget *window);
    void settle();
    void click(const QString &name);
    void keys(const QString &text);
    void key(const QString &combination);
    void paste(const QString &text);
    void menu(const QString &name);
    void show(const QString &names);
    void focus();
    void props(const QString &name);
    void windowOpened(TriangleWindow *window);
    void windowClosed(const QString &name);
    QWidget *activeWindow() const;
    QWidget *keyWindow() const;
    void emitLine(const QString &line) { m_output(line); }

    std::function<void(const QString &)> m_output;
    std::unique_ptr<UserActions> m_actions;
    QPointer<MainWindow> m_main;
    QPointer<TriangleWindow> m_triangle;
    QPointer<QWidget> m_active;
    bool m_ended = false;
};

} // namespace kestrune
