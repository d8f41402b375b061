// SPDX-License-Identifier: GPL-3.0-or-later
// On a real X display: every click and key goes through the X server as real input (XTEST), and
// each action returns once the program has handled everything it caused. The program's dialogs are
// answered in desktopdialogs.cpp.

#include "tools/desktopactions.h"

#include "tools/session.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyleHints>

#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <memory>

namespace kestrune {

namespace {

// The X key of each key a script can name (scriptkeys.cpp).
std::uint32_t keysymOf(const KeyCombination &key)
{
    static const std::pair<Qt::Key, std::uint32_t> named[]
        = { { Qt::Key_Tab, XK_Tab }, { Qt::Key_Return, XK_Return }, { Qt::Key_Escape, XK_Escape },
              { Qt::Key_Backspace, XK_BackSpace }, { Qt::Key_Delete, XK_Delete },
              { Qt::Key_Insert, XK_Insert }, { Qt::Key_Home, XK_Home }, { Qt::Key_End, XK_End },
              { Qt::Key_Left, XK_Left }, { Qt::Key_Right, XK_Right }, { Qt::Key_Up, XK_Up },
              { Qt::Key_Down, XK_Down }, { Qt::Key_Space, XK_space }, { Qt::Key_F1, XK_F1 } };
    for (const auto &[qtKey, keysym] : named) {
        if (key.key == qtKey) return keysym;
    }
    if (key.key >= Qt::Key_A && key.key <= Qt::Key_Z)
        return XK_a + static_cast<std::uint32_t>(key.key - Qt::Key_A);
    if (key.key >= Qt::Key_0 && key.key <= Qt::Key_9)
        return XK_0 + static_cast<std::uint32_t>(key.key - Qt::Key_0);
    throw ScriptError(
        "the key has no X key to press: " + QKeySequence(key.key).toString().toStdString());
}

unsigned modifiersOf(Qt::KeyboardModifiers modifiers)
{
    unsigned held = 0;
    if (modifiers & Qt::ShiftModifier) held |= X11Input::Shift;
    if (modifiers & Qt::ControlModifier) held |= X11Input::Control;
    if (modifiers & Qt::AltModifier) held |= X11Input::Alt;
    return held;
}

} // namespace

bool MarkerFilter::nativeEventFilter(const QByteArray &type, void *message, qintptr *)
{
    if (type != "xcb_generic_event_t") return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    const auto *extended = static_cast<const xcb_ge_generic_event_t *>(message);
    // The input extension's ButtonRelease is its event type 5, as the core protocol's is.
    const int eventType = event->response_type & 0x7f;
    if (eventType == XCB_BUTTON_RELEASE
        || (eventType == XCB_GE_GENERIC && m_inputExtension != 0
            && extended->extension == m_inputExtension
            && extended->event_type == XCB_BUTTON_RELEASE))
        ++m_buttonReleases;
    if (eventType != XCB_CLIENT_MESSAGE) return false;
    const auto *client = static_cast<const xcb_client_message_event_t *>(message);
    if (client->type != m_atom) return false;
    m_seen = static_cast<long>(client->data.data32[0]);
    return true;
}

DesktopActions::DesktopActions(std::function<void(const QString &)> record)
    : m_record(std::move(record)), m_markers(m_atom, m_input.inputExtension())
{
    m_input.setDoubleClickTime(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    QCoreApplication::instance()->installNativeEventFilter(&m_markers);
    qApp->installEventFilter(this);
    // An unmapped window of the driver's own, the addressee of the markers.
    m_markerWindow.create();
    // The user's hand on the mouse, out of the way in a corner, before the program starts:
    // window managers give a new window the focus when the user has just done something.
    if (m_input.isOpen()) {
        m_input.movePointer(QPoint(0, 0));
        m_input.sync();
    }
}

DesktopActions::~DesktopActions()
{
    qApp->removeEventFilter(this);
    QCoreApplication::instance()->removeNativeEventFilter(&m_markers);
}

void DesktopActions::click(QWidget *control, QPoint at)
{
    waitUntilActive(control->window());
    // A window manager that raises or focuses a window on a click holds the button's events
    // until it has seen them, while keys go on to the program; a key sent next could arrive
    // before the click (the marker of settle() too). So the click is complete only once the
    // program has received its release.
    const long released = m_markers.buttonReleases();
    m_input.click(onScreen(control, at));
    waitFor([this, released] { return m_markers.buttonReleases() > released; });
}

void DesktopActions::typeCharacter(QWidget *window, char32_t character)
{
    waitUntilActive(window);
    m_input.typeCharacter(character);
}

void DesktopActions::pressKey(QWidget *window, const KeyCombination &key)
{
    waitUntilActive(window);
    m_input.key(keysymOf(key), modifiersOf(key.modifiers));
}

void DesktopActions::chooseMenuItem(QMainWindow *window, QAction *item)
{
    activate(window);
    QMenu *menu = nullptr;
    for (QObject *holder : item->associatedObjects()) {
        if (auto *candidate = qobject_cast<QMenu *>(holder)) menu = candidate;
    }
    if (!menu) throw ScriptError("the menu item is in no menu");
    // The menu's title in the menu bar, then the item in the menu that drops down.
    QMenuBar *bar = window->menuBar();
    m_input.click(onScreen(bar, bar->actionGeometry(menu->menuAction()).center()));
    settle();
    waitFor([menu] { return menu->isVisible(); });
    m_input.click(onScreen(menu, menu->actionGeometry(item).center()));
}

void DesktopActions::activate(QWidget *window)
{
    if (isActive(window)) return;
    m_input.requestActivation(window->winId());
    settle();
    waitUntilActive(window);
}

void DesktopActions::close(QWidget *window)
{
    QPointer<QWidget> closing = window;
    m_input.requestClose(window->winId());
    waitFor([&closing] { return !closing || !closing->isVisible(); });
}

void DesktopActions::settle()
{
    // Everything sent so far has reached the program once the marker has.
    const long serial = ++m_serial;
    m_input.sendMarker(m_markerWindow.winId(), m_atom, serial);
    waitFor([this, serial] { return m_markers.seen() >= serial; });
    // Then what those events caused: repaints, closing windows, windows activated.
    int quiet = 0;
    QElapsedTimer clock;
    clock.start();
    while (quiet < 5 && clock.elapsed() < kPatience) {
        QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
        if (dispatcher && dispatcher->processEvents(QEventLoop::AllEvents)) {
            quiet = 0;
        } else {
            ++quiet;
            QThread::msleep(3);
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // A message box that just closed hands the activation back through the window manager.
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool open = std::any_of(windows.cbegin(), windows.cend(),
        [](const QWidget *window) { return window->isVisible(); });
    if (open && !QApplication::activeWindow())
        waitFor([] { return QApplication::activeWindow(); }, 3000);
}

// Where `at` in `widget` lies on the X screen, in the screen's pixels. The window's place is
// asked of the X server: the window manager may have just moved a new window, and the
// program learns of that only a little later.
QPoint DesktopActions::onScreen(QWidget *widget, QPoint at)
{
    QWidget *window = widget->window();
    return m_input.origin(window->winId()) + screenPixels(widget->mapTo(window, at), window);
}

// Ready for the user's input: active for the program, holding the X server's keyboard focus,
// shown on the screen, and where the program believes it is (a window just opened is placed
// by the window manager a moment later; a click sent before then could miss).
bool DesktopActions::isActive(QWidget *window)
{
    return QApplication::activeWindow() == window && isSettled(window)
        && m_input.focusWindow() == window->winId();
}

bool DesktopActions::isSettled(QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    return handle && handle->isExposed()
        && onScreen(window, QPoint(0, 0))
        == screenPixels(window->mapToGlobal(QPoint(0, 0)), window);
}

QPoint DesktopActions::screenPixels(QPoint point, QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    const qreal ratio = handle ? handle->devicePixelRatio() : 1.0;
    return QPoint(qRound(point.x() * ratio), qRound(point.y() * ratio));
}

void DesktopActions::waitUntilActive(QWidget *window)
{
    if (isActive(window)) return;
    // Handed back by the window manager after a message box, or asked for.
    if (waitFor([this, window] { return isActive(window); }, 1500)) return;
    m_input.requestActivation(window->winId());
    if (waitFor([this, window] { return isActive(window); }, 3000)) return;
    // As the user would: a click on the window's title bar.
    const QRect frame = window->frameGeometry();
    const int titleBar = window->geometry().top() - frame.top();
    if (titleBar > 2) {
        m_input.click(screenPixels(QPoint(frame.center().x(), frame.top() + titleBar / 2), window));
        settle();
    }
    if (!waitFor([this, window] { return isActive(window); })) {
        const QPoint x = onScreen(window, QPoint(0, 0));
        const QPoint qt = screenPixels(window->mapToGlobal(QPoint(0, 0)), window);
        throw ScriptError(
            QStringLiteral("the window \"%1\" was not made ready for input: active "
                           "%2, keyboard focus on X window %3 (the window is %4), "
                           "exposed %5, at %6,%7 on the screen and %8,%9 for Qt")
                .arg(window->objectName())
                .arg(QApplication::activeWindow() == window ? "yes" : "no")
                .arg(m_input.focusWindow(), 0, 16)
                .arg(window->winId(), 0, 16)
                .arg(window->windowHandle() && window->windowHandle()->isExposed() ? "yes" : "no")
                .arg(x.x())
                .arg(x.y())
                .arg(qt.x())
                .arg(qt.y())
                .toStdString());
    }
}

std::unique_ptr<UserActions> makeDesktopActions(
    std::function<void(const QString &)> record, QString *why)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        if (why) *why = QStringLiteral("the program does not run on an X display");
        return nullptr;
    }
    auto actions = std::make_unique<DesktopActions>(std::move(record));
    if (!actions->ready()) {
        if (why) *why = QStringLiteral("the X server offers no XTEST input");
        return nullptr;
    }
    return actions;
}

} // namespace kestrune
