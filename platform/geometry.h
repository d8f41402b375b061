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

} // namespace kestrune
