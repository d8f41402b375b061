// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The windows are laid out in twips, as their designs give them. Qt works in device-independent
// pixels of 1/96 inch, and a twip is 1/1440 inch, so 15 twips make one pixel at every scale
// factor; Qt scales the pixels for high-DPI screens itself.

#include <QRect>

namespace kestrune {

constexpr int twips(int value)
{
    return (2 * value + (value >= 0 ? 15 : -15)) / 30;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// Where a window's frame of `frame`'s size stands when it opens: centred in `available` (the
// screen less its panels), but never beyond its top or left edge, so that the title bar and the
// left of the window can be reached even when the window is larger than the screen.
inline QRect openingFrame(QRect frame, const QRect &available)
{
    frame.moveCenter(available.center());
    if (frame.bottom() > available.bottom()) frame.moveBottom(available.bottom());
    if (frame.right() > available.right()) frame.moveRight(available.right());
    if (frame.top() < available.top()) frame.moveTop(available.top());
    if (frame.left() < available.left()) frame.moveLeft(available.left());
    return frame;
}

} // namespace kestrune
