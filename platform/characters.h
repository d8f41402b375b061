// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text rules of a one-line box: characters counted as the user sees them (an accented letter
// made of two code points, an emoji, a flag are one character each), cuts that never leave half
// of one, and the one line a box takes of a pasted or dropped text.

#include <QString>

namespace kestrune {

// The number of characters (grapheme clusters) in `text`, as the user counts them.
int characterCount(const QString &text);
// The first `count` characters of `text`, never half of one.
QString firstCharacters(const QString &text, int count);
// What a one-line box takes of a pasted or dropped text: its first line, each tab as a blank,
// without other control characters.
QString singleLineText(const QString &text);

} // namespace kestrune
