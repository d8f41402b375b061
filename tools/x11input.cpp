// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/x11input.h"

#include <QByteArray>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

extern "C" {
#include <xdo.h>
}

#include <vector>

namespace kestrune {

X11Input::X11Input()
{
    m_xdo = xdo_new(nullptr);
    int event = 0, error = 0, major = 0, minor = 0;
    if (m_xdo && !XTestQueryExtension(m_xdo->xdpy, &event, &error, &major, &minor)) {
        xdo_free(m_xdo);
        m_xdo = nullptr;
    }
    if (m_xdo) m_xdo->quiet = 1;
}

X11Input::~X11Input()
{
    if (m_xdo) xdo_free(m_xdo);
}

int X11Input::inputExtension()
{
    if (!m_xdo) return 0;
    int opcode = 0, event = 0, error = 0;
    return XQueryExtension(m_xdo->xdpy, "XInputExtension", &opcode, &event, &error) ? opcode : 0;
}

void X11Input::sync()
{
    XSync(m_xdo->xdpy, False);
}

unsigned long X11Input::focusWindow()
{
    Window window = 0;
    xdo_get_focused_window(m_xdo, &window);
    return window;
}

QPoint X11Input::origin(unsigned long window)
{
    // The client area's own corner (libxdo gives the frame's where the window manager made one).
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(
        m_xdo->xdpy, window, DefaultRootWindow(m_xdo->xdpy), 0, 0, &x, &y, &child);
    return { x, y };
}

unsigned long X11Input::atom(const char *name)
{
    return XInternAtom(m_xdo->xdpy, name, False);
}

void X11Input::requestActivation(unsigned long window)
{
    // As a pager or task bar asks: window managers honour it without their focus-stealing checks.
    xdo_activate_window(m_xdo, window);
    XFlush(m_xdo->xdpy);
}

void X11Input::requestClose(unsigned long window)
{
    // A request to the window manager, which listens on the root window, from a pager (2).
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom("_NET_CLOSE_WINDOW");
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = 2;
    XSendEvent(m_xdo->xdpy, DefaultRootWindow(m_xdo->xdpy), False,
        SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(m_xdo->xdpy);
}

void X11Input::sendMarker(unsigned long window, unsigned long type, long serial)
{
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = serial;
    XSendEvent(m_xdo->xdpy, window, False, NoEventMask, &event);
    XFlush(m_xdo->xdpy);
}

void X11Input::movePointer(QPoint screenPoint)
{
    // As a mouse moves it (libxdo warps the pointer, which a window that just opened may not see
    // before the button that follows).
    XTestFakeMotionEvent(m_xdo->xdpy, -1, screenPoint.x(), screenPoint.y(), CurrentTime);
    XFlush(m_xdo->xdpy);
}

void X11Input::click(QPoint screenPoint, int button)
{
    const int distance = (screenPoint - m_lastClick).manhattanLength();
    if (distance <= 8 && m_sinceLastClick.isValid()
        && m_sinceLastClick.elapsed() < m_doubleClickTime + 50)
        QThread::msleep(
            static_cast<unsigned long>(m_doubleClickTime + 50 - m_sinceLastClick.elapsed()));
    movePointer(screenPoint);
    xdo_mouse_down(m_xdo, CURRENTWINDOW, button);
    m_lastClick = screenPoint;
    m_sinceLastClick.start();
    xdo_mouse_up(m_xdo, CURRENTWINDOW, button);
}

void X11Input::doubleClick(QPoint screenPoint)
{
    click(screenPoint);
    xdo_mouse_down(m_xdo, CURRENTWINDOW, 1);
    xdo_mouse_up(m_xdo, CURRENTWINDOW, 1);
    // A third click here would be a separate one.
    m_sinceLastClick.start();
}

void X11Input::pressAndRelease(unsigned char keycode)
{
    XTestFakeKeyEvent(m_xdo->xdpy, keycode, True, CurrentTime);
    XTestFakeKeyEvent(m_xdo->xdpy, keycode, False, CurrentTime);
    XFlush(m_xdo->xdpy);
}

unsigned char X11Input::spareKeyFor(std::uint32_t keysym)
{
    if (const auto it = m_remapped.constFind(keysym); it != m_remapped.constEnd()) return *it;
    Display *display = m_xdo->xdpy;
    int minKeycode = 0, maxKeycode = 0;
    XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    int perKeycode = 0;
    KeySym *map = XGetKeyboardMapping(
        display, static_cast<KeyCode>(minKeycode), maxKeycode - minKeycode + 1, &perKeycode);
    if (!map) return 0;
    int spare = 0;
    // From the top: the highest keycodes are the ones no keyboard has.
    for (int code = maxKeycode; code >= minKeycode && spare == 0; --code) {
        bool empty = true;
        for (int i = 0; i < perKeycode; ++i) {
            if (map[(code - minKeycode) * perKeycode + i] != NoSymbol) empty = false;
        }
        if (empty) spare = code;
    }
    XFree(map);
    if (spare == 0) return 0;
    // The character stays on its key for the rest of the run: the program reads the keyboard's
    // layout when a key arrives, so taking it away again (as libxdo does with the keys it puts a
    // character on) could change keys not yet read.
    std::vector<KeySym> symbols(static_cast<std::size_t>(perKeycode), static_cast<KeySym>(keysym));
    XChangeKeyboardMapping(display, spare, perKeycode, symbols.data(), 1);
    XSync(display, False);
    m_remapped.insert(keysym, static_cast<unsigned char>(spare));
    return static_cast<unsigned char>(spare);
}

void X11Input::key(std::uint32_t keysym, unsigned modifiers)
{
    // Xlib makes up the name of a Unicode keysym without one ("U20AC") in memory it never frees;
    // that name is written here instead.
    QByteArray name;
    if ((keysym & 0xff000000U) == 0x01000000U)
        name = 'U' + QByteArray::number(keysym & 0xffffffU, 16).toUpper().rightJustified(4, '0');
    else if (const char *known = XKeysymToString(keysym))
        name = known;
    else
        return;
    if (m_remapped.contains(keysym) || XKeysymToKeycode(m_xdo->xdpy, keysym) == 0) {
        // No key of the keyboard carries it: typed alone, from a spare key.
        if (const unsigned char spare = spareKeyFor(keysym)) pressAndRelease(spare);
        return;
    }
    QByteArray sequence;
    const std::pair<unsigned, const char *> held[] = { { Control, "ctrl" }, { Alt, "alt" },
        { AltGr, "ISO_Level3_Shift" }, { Shift, "shift" } };
    for (const auto &[modifier, modifierName] : held) {
        if (modifiers & modifier) sequence += QByteArray(modifierName) + '+';
    }
    xdo_send_keysequence_window(m_xdo, CURRENTWINDOW, (sequence + name).constData(), 0);
    XFlush(m_xdo->xdpy);
}

void X11Input::keypadKey(std::uint32_t keysym)
{
    // The key alone: its Num Lock level needs no Shift.
    if (const KeyCode code = XKeysymToKeycode(m_xdo->xdpy, keysym)) pressAndRelease(code);
}

void X11Input::typeCharacter(char32_t character)
{
    // Latin-1 characters have keysyms of their own code; every other character has the
    // Unicode keysym 0x01000000 + code point.
    std::uint32_t keysym = character;
    if (character == U'\n' || character == U'\r')
        keysym = XK_Return;
    else if (character == U'\t')
        keysym = XK_Tab;
    else if (character == U'\b')
        keysym = XK_BackSpace;
    else if (!((character >= 0x20 && character <= 0x7e)
                 || (character >= 0xa0 && character <= 0xff)))
        keysym = 0x01000000U + static_cast<std::uint32_t>(character);
    key(keysym);
}

} // namespace kestrune
