// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/x11input.h"

#include <QThread>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <vector>

namespace kestrune {

X11Input::X11Input()
{
    m_display = XOpenDisplay(nullptr);
    if (!m_display) return;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(m_display, &event, &error, &major, &minor)) {
        XCloseDisplay(m_display);
        m_display = nullptr;
    }
}

X11Input::~X11Input()
{
    if (m_display) XCloseDisplay(m_display);
}

int X11Input::inputExtension()
{
    if (!m_display) return 0;
    int opcode = 0, event = 0, error = 0;
    return XQueryExtension(m_display, "XInputExtension", &opcode, &event, &error) ? opcode : 0;
}

void X11Input::sync()
{
    XSync(m_display, False);
}

unsigned long X11Input::focusWindow()
{
    Window window = 0;
    int revertTo = 0;
    XGetInputFocus(m_display, &window, &revertTo);
    return window;
}

QPoint X11Input::origin(unsigned long window)
{
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    return { x, y };
}

unsigned long X11Input::atom(const char *name)
{
    return XInternAtom(m_display, name, False);
}

namespace {

XEvent clientMessage(Window window, Atom type, long first, long second)
{
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    event.xclient.data.l[1] = second;
    return event;
}

// A request to the window manager, which listens on the root window.
void sendToRoot(Display *display, Window window, Atom type, long first, long second)
{
    XEvent event = clientMessage(window, type, first, second);
    XSendEvent(display, DefaultRootWindow(display), False,
        SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

// The source indication of a request from a pager or task bar, which window managers honour
// without their focus-stealing checks.
constexpr long kFromPager = 2;

} // namespace

void X11Input::requestActivation(unsigned long window)
{
    sendToRoot(m_display, window, atom("_NET_ACTIVE_WINDOW"), kFromPager, CurrentTime);
}

void X11Input::requestClose(unsigned long window)
{
    sendToRoot(m_display, window, atom("_NET_CLOSE_WINDOW"), CurrentTime, kFromPager);
}

void X11Input::sendMarker(unsigned long window, unsigned long type, long serial)
{
    XEvent event = clientMessage(window, type, serial, 0);
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XFlush(m_display);
}

void X11Input::movePointer(QPoint screenPoint)
{
    XTestFakeMotionEvent(m_display, -1, screenPoint.x(), screenPoint.y(), CurrentTime);
    XFlush(m_display);
}

void X11Input::click(QPoint screenPoint, int button)
{
    const int distance = (screenPoint - m_lastClick).manhattanLength();
    if (distance <= 8 && m_sinceLastClick.isValid()
        && m_sinceLastClick.elapsed() < m_doubleClickTime + 50)
        QThread::msleep(
            static_cast<unsigned long>(m_doubleClickTime + 50 - m_sinceLastClick.elapsed()));
    movePointer(screenPoint);
    XTestFakeButtonEvent(m_display, static_cast<unsigned>(button), True, CurrentTime);
    XFlush(m_display);
    m_lastClick = screenPoint;
    m_sinceLastClick.start();
    XTestFakeButtonEvent(m_display, static_cast<unsigned>(button), False, CurrentTime);
    XFlush(m_display);
}

void X11Input::doubleClick(QPoint screenPoint)
{
    click(screenPoint);
    for (const Bool down : { True, False }) {
        XTestFakeButtonEvent(m_display, 1, down, CurrentTime);
        XFlush(m_display);
    }
    // A third click here would be a separate one.
    m_sinceLastClick.start();
}

X11Input::KeyPlace X11Input::find(std::uint32_t keysym)
{
    if (const auto it = m_remapped.constFind(keysym); it != m_remapped.constEnd()) return *it;
    int minKeycode = 0, maxKeycode = 0;
    XDisplayKeycodes(m_display, &minKeycode, &maxKeycode);
    for (int level = 0; level < 2; ++level) {
        for (int code = minKeycode; code <= maxKeycode; ++code) {
            if (XkbKeycodeToKeysym(m_display, static_cast<KeyCode>(code), 0, level) == keysym)
                return { static_cast<unsigned char>(code), level == 1 };
        }
    }
    return {};
}

X11Input::KeyPlace X11Input::placeOnSpareKey(std::uint32_t keysym)
{
    int minKeycode = 0, maxKeycode = 0;
    XDisplayKeycodes(m_display, &minKeycode, &maxKeycode);
    int perKeycode = 0;
    KeySym *map = XGetKeyboardMapping(
        m_display, static_cast<KeyCode>(minKeycode), maxKeycode - minKeycode + 1, &perKeycode);
    if (!map) return {};
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
    if (spare == 0) return {};
    // The character stays on its key for the rest of the run: the program reads the keyboard's
    // layout when a key arrives, so taking it away again could change keys not yet read.
    std::vector<KeySym> symbols(static_cast<std::size_t>(perKeycode), static_cast<KeySym>(keysym));
    XChangeKeyboardMapping(m_display, spare, perKeycode, symbols.data(), 1);
    XSync(m_display, False);
    const KeyPlace place { static_cast<unsigned char>(spare), false };
    m_remapped.insert(keysym, place);
    return place;
}

void X11Input::holdModifiers(unsigned modifiers, bool down)
{
    const std::pair<unsigned, KeySym> keys[] = { { Control, XK_Control_L }, { Alt, XK_Alt_L },
        { AltGr, XK_ISO_Level3_Shift }, { Shift, XK_Shift_L } };
    for (const auto &[modifier, keysym] : keys) {
        if (!(modifiers & modifier)) continue;
        const KeyCode code = XKeysymToKeycode(m_display, keysym);
        if (code != 0) XTestFakeKeyEvent(m_display, code, down ? True : False, CurrentTime);
    }
}

void X11Input::key(std::uint32_t keysym, unsigned modifiers)
{
    KeyPlace place = find(keysym);
    if (place.keycode == 0) place = placeOnSpareKey(keysym);
    if (place.keycode == 0) return;
    if (place.shifted) modifiers |= Shift;
    holdModifiers(modifiers, true);
    XTestFakeKeyEvent(m_display, place.keycode, True, CurrentTime);
    XTestFakeKeyEvent(m_display, place.keycode, False, CurrentTime);
    holdModifiers(modifiers, false);
    XFlush(m_display);
}

void X11Input::keypadKey(std::uint32_t keysym)
{
    const KeyPlace place = find(keysym);
    if (place.keycode == 0) return;
    XTestFakeKeyEvent(m_display, place.keycode, True, CurrentTime);
    XTestFakeKeyEvent(m_display, place.keycode, False, CurrentTime);
    XFlush(m_display);
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
