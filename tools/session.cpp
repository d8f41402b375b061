// SPDX-License-Identifier: GPL-3.0-or-later
// The session's windows and the commands of a script line: which window and control a name
// means, and the user's actions each command drives. What is read back from the windows for the
// transcript is in sessionreadback.cpp.

#include "tools/session.h"

#include "mainwindow/mainwindow.h"
#include "platform/textbox.h"
#include "tools/scriptkeys.h"
#include "triangle/trianglewindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>

namespace kestrune {

ScriptSession::ScriptSession(std::function<void(const QString &)> output, Display display)
    : m_output(std::move(output))
{
    auto record = [this](const QString &line) { emitLine(line); };
    if (display == Display::Desktop) {
        QString why;
        m_actions = makeDesktopActions(record, &why);
        if (!m_actions) throw ScriptError("cannot run on a real display: " + why.toStdString());
    } else {
        m_actions = makeOffscreenActions(record);
    }
    m_main = new MainWindow(m_actions->services());
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(m_main, &MainWindow::closed, [this] { windowClosed(QStringLiteral("main")); });
    QObject::connect(m_main, &MainWindow::triangleOpened,
        [this](TriangleWindow *window) { windowOpened(window); });
    m_main->show();
    activate(m_main);
    settle();
}

ScriptSession::~ScriptSession()
{
    delete m_triangle.data();
    delete m_main.data();
}

QWidget *ScriptSession::window(const QString &name) const
{
    if (name == QLatin1String("main")) return m_main;
    if (name == QLatin1String("triangle")) return m_triangle;
    return nullptr;
}

QWidget *ScriptSession::activeWindow() const
{
    if (m_active && (m_active == m_main || m_active == m_triangle)) return m_active;
    if (m_main) return m_main;
    return m_triangle;
}

QString ScriptSession::activeWindowName() const
{
    QWidget *active = activeWindow();
    if (!active) return QStringLiteral("none");
    return active == m_main ? QStringLiteral("main") : QStringLiteral("triangle");
}

void ScriptSession::windowOpened(TriangleWindow *window)
{
    m_triangle = window;
    QObject::connect(
        window, &TriangleWindow::closed, [this] { windowClosed(QStringLiteral("triangle")); });
    m_active = window;
}

void ScriptSession::windowClosed(const QString &name)
{
    emitLine(QStringLiteral("closed ") + name);
    if (name == QLatin1String("main"))
        m_main = nullptr;
    else
        m_triangle = nullptr;
    if (!m_main && !m_triangle) {
        m_ended = true;
        emitLine(QStringLiteral("end"));
    }
}

void ScriptSession::activate(QWidget *window)
{
    if (!window) return;
    m_active = window;
    m_actions->activate(window);
}

void ScriptSession::settle()
{
    m_actions->settle();
    // A window the program opened or raised is the active one now; a closed one no longer is.
    QWidget *active = QApplication::activeWindow();
    if (active && (active == m_main || active == m_triangle)) m_active = active;
    if (!m_active || (m_active != m_main && m_active != m_triangle))
        activate(m_main ? static_cast<QWidget *>(m_main) : static_cast<QWidget *>(m_triangle));
}

QObject *ScriptSession::resolveObject(const QString &name) const
{
    auto findIn = [](QWidget *window, const QString &objectName) -> QObject * {
        if (!window) return nullptr;
        if (auto *widget = window->findChild<QWidget *>(objectName)) return widget;
        return window->findChild<QAction *>(objectName);
    };
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        const QString windowName = name.left(dot);
        if (windowName != QLatin1String("main") && windowName != QLatin1String("triangle"))
            throw ScriptError("unknown window: " + windowName.toStdString());
        QWidget *win = window(windowName);
        if (!win) throw ScriptError("window " + windowName.toStdString() + " is not open");
        if (QObject *found = findIn(win, name.mid(dot + 1))) return found;
        throw ScriptError("unknown control: " + name.toStdString());
    }
    QObject *inMain = findIn(m_main, name);
    QObject *inTriangle = findIn(m_triangle, name);
    if (inMain && inTriangle) return activeWindow() == m_triangle ? inTriangle : inMain;
    if (inMain) return inMain;
    if (inTriangle) return inTriangle;
    throw ScriptError("unknown control, or its window is not open: " + name.toStdString());
}

QWidget *ScriptSession::resolve(const QString &name) const
{
    auto *widget = qobject_cast<QWidget *>(resolveObject(name));
    if (!widget) throw ScriptError("not a control of a window: " + name.toStdString());
    return widget;
}

QWidget *ScriptSession::keyWindow() const
{
    QWidget *win = activeWindow();
    if (!win) throw ScriptError("no window is open");
    return win;
}

void ScriptSession::run(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) return;
    if (m_ended) throw ScriptError("command after end");
    emitLine(QStringLiteral("> ") + line);
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    const QString command = blank < 0 ? line : line.left(blank);
    const QString argument = blank < 0 ? QString() : line.mid(blank + 1);
    execute(command, argument, blank >= 0);
}

void ScriptSession::execute(const QString &command, const QString &argument, bool hasArgument)
{
    auto requireArgument = [&] {
        if (argument.isEmpty()) throw ScriptError(command.toStdString() + " needs an argument");
    };
    if (command == QLatin1String("click")) {
        requireArgument();
        click(argument);
    } else if (command == QLatin1String("keys")) {
        keys(argument);
    } else if (command == QLatin1String("type")) {
        requireArgument();
        const qsizetype blank = argument.indexOf(QLatin1Char(' '));
        click(blank < 0 ? argument : argument.left(blank));
        if (!m_ended && blank >= 0) keys(argument.mid(blank + 1));
    } else if (command == QLatin1String("key")) {
        requireArgument();
        key(argument);
    } else if (command == QLatin1String("paste")) {
        paste(argument);
    } else if (command == QLatin1String("menu")) {
        requireArgument();
        menu(argument);
    } else if (command == QLatin1String("activate")) {
        QWidget *win = window(argument);
        if (!win) throw ScriptError("window is not open: " + argument.toStdString());
        activate(win);
        settle();
    } else if (command == QLatin1String("close")) {
        QWidget *win = window(argument);
        if (!win) throw ScriptError("window is not open: " + argument.toStdString());
        m_actions->close(win);
        settle();
    } else if (command == QLatin1String("answer")) {
        m_actions->queueAnswer(hasArgument ? argument : QString());
    } else if (command == QLatin1String("answer-cancel")) {
        m_actions->queueAnswer(std::nullopt);
    } else if (command == QLatin1String("printer")) {
        using Answer = RecordingServices::PrintAnswer;
        if (argument == QLatin1String("ok"))
            m_actions->queuePrintAnswer(Answer::Ok, {});
        else if (argument == QLatin1String("cancel"))
            m_actions->queuePrintAnswer(Answer::Cancel, {});
        else if (argument == QLatin1String("fail"))
            m_actions->queuePrintAnswer(Answer::Fail, {});
        else if (argument.startsWith(QLatin1String("pdf ")) && argument.size() > 4)
            m_actions->queuePrintAnswer(Answer::Pdf, argument.mid(4));
        else if (argument.startsWith(QLatin1String("queue ")) && argument.size() > 6)
            m_actions->queuePrintAnswer(Answer::Queue, argument.mid(6));
        else
            throw ScriptError("printer takes ok, cancel, fail, pdf FILE or queue NAME");
    } else if (command == QLatin1String("browser")) {
        if (argument != QLatin1String("fail")) throw ScriptError("browser takes fail");
        m_actions->failNextBrowser();
    } else if (command == QLatin1String("today")) {
        const QDate date = QDate::fromString(argument, Qt::ISODate);
        if (!date.isValid()) throw ScriptError("today takes a date YYYY-MM-DD");
        m_actions->setToday(date);
    } else if (command == QLatin1String("show")) {
        show(argument);
    } else if (command == QLatin1String("focus")) {
        focus();
    } else if (command == QLatin1String("props")) {
        requireArgument();
        props(argument);
    } else {
        throw ScriptError("unknown command: " + command.toStdString());
    }
}

void ScriptSession::click(const QString &name)
{
    QObject *object = resolveObject(name);
    if (auto *action = qobject_cast<QAction *>(object)) {
        menu(action->objectName());
        return;
    }
    auto *control = qobject_cast<QWidget *>(object);
    if (!control || qobject_cast<QMenu *>(control))
        throw ScriptError("cannot click " + name.toStdString());
    activate(control->window());
    // On a text box the click lands after the end of its text; on a button, in its middle.
    const QPoint at = qobject_cast<TextBox *>(control)
        ? QPoint(control->width() - 3, control->height() / 2)
        : control->rect().center();
    m_actions->click(control, at);
    settle();
}

void ScriptSession::keys(const QString &text)
{
    for (const char32_t character : text.toUcs4()) {
        if (m_ended) break;
        m_actions->typeCharacter(keyWindow(), character);
        settle();
    }
}

void ScriptSession::key(const QString &combination)
{
    m_actions->pressKey(keyWindow(), parseKey(combination));
    settle();
}

void ScriptSession::paste(const QString &text)
{
    QGuiApplication::clipboard()->setText(pastedText(text));
    m_actions->pressKey(keyWindow(), parseKey(QStringLiteral("Ctrl+V")));
    settle();
}

void ScriptSession::menu(const QString &name)
{
    if (!m_main) throw ScriptError("window main is not open");
    auto *item = m_main->findChild<QAction *>(name);
    if (!item) throw ScriptError("unknown menu item: " + name.toStdString());
    m_active = m_main;
    m_actions->chooseMenuItem(m_main, item);
    settle();
}

} // namespace kestrune
