// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/session.h"

#include "mainwindow/mainwindow.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/textbox.h"
#include "triangle/trianglewindow.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

namespace kestrune {

namespace {

const char *const kMainFieldOrder[] = { "txtID", "txtProjImp", "txtProjMet", "txtRiseImp",
    "txtRiseMet", "txtWidthImp", "txtWidthMet", "txtDeg", "txtMin", "txtCotangent", "txtStructImp",
    "txtStructMet", "txtMachImp", "txtMachMet", "txtBrakeStopImp", "txtBrakeStopMet",
    "txtBrakeRunImp", "txtBrakeRunMet" };

QString colourText(unsigned bgr)
{
    const unsigned red = bgr & 0xFF, green = (bgr >> 8) & 0xFF, blue = (bgr >> 16) & 0xFF;
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'))
        .toUpper();
}

struct KeyCombination {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

KeyCombination parseKey(const QString &combination)
{
    QStringList parts = combination.split(QLatin1Char('+'));
    const QString last = parts.takeLast();
    Qt::KeyboardModifiers modifiers;
    for (const QString &part : parts) {
        if (part == QLatin1String("Shift"))
            modifiers |= Qt::ShiftModifier;
        else if (part == QLatin1String("Ctrl"))
            modifiers |= Qt::ControlModifier;
        else if (part == QLatin1String("Alt"))
            modifiers |= Qt::AltModifier;
        else
            throw ScriptError("unknown key: " + combination.toStdString());
    }
    static const std::pair<const char *, Qt::Key> named[] = { { "Tab", Qt::Key_Tab },
        { "Enter", Qt::Key_Return }, { "Return", Qt::Key_Return }, { "Escape", Qt::Key_Escape },
        { "Backspace", Qt::Key_Backspace }, { "Delete", Qt::Key_Delete }, { "Home", Qt::Key_Home },
        { "End", Qt::Key_End }, { "Left", Qt::Key_Left }, { "Right", Qt::Key_Right },
        { "Up", Qt::Key_Up }, { "Down", Qt::Key_Down }, { "Space", Qt::Key_Space } };
    for (const auto &[name, key] : named) {
        if (last == QLatin1String(name)) return { key, modifiers };
    }
    if (last.size() == 1 && last.at(0).isLetterOrNumber() && last.at(0).unicode() < 128)
        return { Qt::Key(last.at(0).toUpper().unicode()), modifiers };
    throw ScriptError("unknown key: " + combination.toStdString());
}

} // namespace

ScriptSession::ScriptSession(std::function<void(const QString &)> output)
    : m_output(std::move(output)), m_services([this](const QString &line) { emitLine(line); })
{
    m_main = new MainWindow(m_services);
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(m_main, &MainWindow::closed, [this] { windowClosed(QStringLiteral("main")); });
    QObject::connect(m_main, &MainWindow::triangleOpened,
        [this](TriangleWindow *window) { windowOpened(window); });
    m_main->show();
    activate(m_main);
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
    if (QApplication::activeWindow() == window) return;
    window->raise();
    window->activateWindow();
    QCoreApplication::processEvents();
    if (QApplication::activeWindow() != window) QApplication::setActiveWindow(window);
}

void ScriptSession::settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
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

QWidget *ScriptSession::keyTarget() const
{
    QWidget *win = activeWindow();
    if (!win) throw ScriptError("no window is open");
    QWidget *target = win->focusWidget();
    return target ? target : win;
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
        win->close();
        settle();
    } else if (command == QLatin1String("answer")) {
        m_services.queueAnswer(hasArgument ? argument : QString());
    } else if (command == QLatin1String("answer-cancel")) {
        m_services.queueAnswer(std::nullopt);
    } else if (command == QLatin1String("printer")) {
        using Answer = RecordingServices::PrintAnswer;
        if (argument == QLatin1String("ok"))
            m_services.queuePrintAnswer(Answer::Ok);
        else if (argument == QLatin1String("cancel"))
            m_services.queuePrintAnswer(Answer::Cancel);
        else if (argument == QLatin1String("fail"))
            m_services.queuePrintAnswer(Answer::Fail);
        else if (argument.startsWith(QLatin1String("pdf ")) && argument.size() > 4)
            m_services.queuePrintAnswer(Answer::Pdf, argument.mid(4));
        else
            throw ScriptError("printer takes ok, cancel, fail or pdf FILE");
    } else if (command == QLatin1String("today")) {
        const QDate date = QDate::fromString(argument, Qt::ISODate);
        if (!date.isValid()) throw ScriptError("today takes a date YYYY-MM-DD");
        m_services.setToday(date);
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
    if (auto *box = qobject_cast<TextBox *>(control)) {
        // The click lands after the end of the text.
        QTest::mouseClick(
            box, Qt::LeftButton, Qt::NoModifier, QPoint(box->width() - 3, box->height() / 2));
        if (box && !box->hasSelectedText())
            box->setCursorPosition(static_cast<int>(box->text().size()));
    } else {
        QTest::mouseClick(control, Qt::LeftButton);
    }
    settle();
}

void ScriptSession::keys(const QString &text)
{
    for (const QChar c : text) {
        if (m_ended) break;
        QWidget *target = keyTarget();
        Qt::Key code = Qt::Key_unknown;
        if (c == QLatin1Char(' '))
            code = Qt::Key_Space;
        else if (c.unicode() > 32 && c.unicode() < 127)
            code = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, target, code, QString(c), Qt::NoModifier);
        if (QWidget *again = keyTarget(); again == target)
            QTest::sendKeyEvent(QTest::Release, target, code, QString(c), Qt::NoModifier);
        settle();
    }
}

void ScriptSession::key(const QString &combination)
{
    const KeyCombination parsed = parseKey(combination);
    QWidget *target = keyTarget();
    QTest::keyClick(target, parsed.key, parsed.modifiers);
    settle();
}

void ScriptSession::menu(const QString &name)
{
    if (!m_main) throw ScriptError("window main is not open");
    auto *item = m_main->findChild<QAction *>(name);
    if (!item) throw ScriptError("unknown menu item: " + name.toStdString());
    activate(m_main);
    item->trigger();
    settle();
}

void ScriptSession::show(const QString &names)
{
    QStringList list = names.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (list.isEmpty()) {
        if (m_main) {
            for (const char *field : kMainFieldOrder)
                list << QString::fromLatin1(field);
        }
        if (m_triangle) {
            for (int i = 1; i <= 39; ++i)
                list << QStringLiteral("Text%1").arg(i);
        }
    }
    for (const QString &name : list) {
        auto *box = qobject_cast<TextBox *>(resolve(name));
        if (!box) throw ScriptError("not a text box: " + name.toStdString());
        emitLine(QStringLiteral("field %1 %2").arg(name, quoted(box->text())));
    }
}

void ScriptSession::focus()
{
    QWidget *win = activeWindow();
    if (!win) throw ScriptError("no window is open");
    const Form &form = win == m_main ? m_main->form() : m_triangle->form();
    QWidget *control = form.activeControl();
    int start = 0;
    int length = 0;
    if (auto *box = qobject_cast<TextBox *>(control)) {
        if (box->hasSelectedText()) {
            start = box->selectionStart();
            length = static_cast<int>(box->selectedText().size());
        } else {
            start = box->cursorPosition();
        }
    }
    emitLine(QStringLiteral("focus %1 %2 %3 %4")
                 .arg(activeWindowName(), control ? control->objectName() : QStringLiteral("none"))
                 .arg(start)
                 .arg(length));
}

void ScriptSession::props(const QString &name)
{
    if (name == QLatin1String("main") || name == QLatin1String("triangle")) {
        QWidget *win = window(name);
        if (!win) throw ScriptError("window is not open: " + name.toStdString());
        emitLine(QStringLiteral("props %1 caption=%2").arg(name, quoted(win->windowTitle())));
        return;
    }
    QObject *object = resolveObject(name);
    if (auto *box = qobject_cast<TextBox *>(object)) {
        const int maxLength = box->maxLength() >= 32767 ? 0 : box->maxLength();
        emitLine(QStringLiteral("props %1 maxlen=%2 locked=%3 tabstop=%4 color=%5")
                     .arg(name)
                     .arg(maxLength)
                     .arg(box->isLocked() ? 1 : 0)
                     .arg(box->tabStop() ? 1 : 0)
                     .arg(colourText(box->backColor())));
        return;
    }
    QString caption;
    QString tooltip;
    if (auto *action = qobject_cast<QAction *>(object)) {
        caption = action->text();
    } else if (auto *menu = qobject_cast<QMenu *>(object)) {
        caption = menu->title();
    } else if (auto *widget = qobject_cast<QWidget *>(object)) {
        caption = storedCaption(widget);
        tooltip = widget->toolTip();
    }
    emitLine(QStringLiteral("props %1 caption=%2 tooltip=%3")
                 .arg(name, quoted(caption), quoted(tooltip)));
}

} // namespace kestrune
