// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Real input through the X server: mouse clicks and key presses sent with the XTEST extension
// (through libxdo), as a mouse and a keyboard would make them. The server delivers them to
// whichever window holds the pointer or the keyboard focus, and the program receives them as it
// receives a user's. Needs the X display the program itself runs on (DISPLAY).

#include <QElapsedTimer>
#include <QHash>
#include <QPoint>

#include <cstdint>

struct xdo; // libxdo's connection

namespace kestrune {

class X11Input {
public:
    // Opens its own connection to the display named by DISPLAY; check isOpen().
    X11Input();
    ~X11Input();
    X11Input(const X11Input &) = delete;
    X11Input &operator=(const X11Input &) = delete;

    bool isOpen() const { return m_xdo != nullptr; }

    // Modifier keys held while a key is pressed.
    enum Modifier : unsigned { Shift = 1, Control = 2, Alt = 4, AltGr = 8 };

    // Moves the pointer to `screenPoint` (in X pixels) and presses and releases `button`
    // (1 left, 2 middle, 3 right). Two clicks on the same spot are never taken for a double
    // click: the second waits until the double-click time has passed, as two separate clicks
    // by a user would.
    void click(QPoint screenPoint, int button = 1);
    // Two clicks of the left button at `screenPoint` in quick succession: a double click.
    void doubleClick(QPoint screenPoint);
    // Moves the pointer to `screenPoint` without pressing a button.
    void movePointer(QPoint screenPoint);

    // Presses and releases the key that carries `keysym`, holding `modifiers`.
    void key(std::uint32_t keysym, unsigned modifiers = 0);

    // Presses and releases the keypad key that carries `keysym` on its Num Lock level, as a user
    // with Num Lock on does: the key alone, without Shift.
    void keypadKey(std::uint32_t keysym);

    // Types one character (a Unicode code point) as a keyboard makes it: the key that carries it,
    // with Shift where it is on the shifted level. A character that no key of the keyboard
    // carries is put on a spare key first, as on-screen keyboards do.
    void typeCharacter(char32_t character);

    // Waits until the server has handled everything sent so far.
    void sync();

    // Asks the window manager to activate (and raise) or to close the top-level X window
    // `window`, as a task bar or a window list does.
    void requestActivation(unsigned long window);
    void requestClose(unsigned long window);

    // Sends a client message of type `atom` carrying `serial` to `window`. It reaches the window's
    // program after every event the input above caused, which lets the program tell when those
    // have all arrived; except for mouse button events that a window manager's grab still holds.
    void sendMarker(unsigned long window, unsigned long atom, long serial);
    unsigned long atom(const char *name);
    // The major opcode of the X input extension, which carries the toolkit's mouse events; 0
    // where the server has none.
    int inputExtension();

    // The X window that holds the keyboard focus.
    unsigned long focusWindow();
    // Where the top-left corner of `window` is on the screen, as the X server has it now.
    QPoint origin(unsigned long window);

    // The double-click time the toolkit uses, so that separate clicks stay separate.
    void setDoubleClickTime(int milliseconds) { m_doubleClickTime = milliseconds; }

private:
    // The keycode of a spare key that `keysym` was put on, putting it there the first time.
    unsigned char spareKeyFor(std::uint32_t keysym);
    void pressAndRelease(unsigned char keycode);

    struct xdo *m_xdo = nullptr;
    QHash<std::uint32_t, unsigned char> m_remapped;
    QPoint m_lastClick { -1000, -1000 };
    QElapsedTimer m_sinceLastClick;
    int m_doubleClickTime = 400;
};

} // namespace kestrune
