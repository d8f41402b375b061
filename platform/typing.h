// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text rules of a one-line box apart from the widget: which key presses type text, which are
// access keys or the keypad's decimal key, and how much of an inserted text fits the box.

#include <QString>

class QKeyEvent;

namespace kestrune {

// A key that would type its text into a line edit: printable text, and no Ctrl held except as
// part of AltGr (which Windows reports as Ctrl+Alt).
bool TypesText(const QKeyEvent *event);

// The keypad's decimal key, when it types (Num Lock on): with a keypad symbol (the separator of a
// German keyboard, the decimal point), or with a plain comma or point as some layouts give it,
// which X11 tells apart by the key's number alone.
bool IsKeypadDecimalKey(const QKeyEvent *event);

// Alt with a letter or digit key is an access key. Ctrl+Alt is AltGr on Windows keyboards and
// types; on macOS Option types the special characters of its keyboard.
bool IsAccessKeyPress(const QKeyEvent *event);

// A box's text with the place an insertion replaces (`start` to `end`, the selection or the
// caret) and the most characters it holds (`maxLength`, at least the line edit's own limit for
// none).
struct Insertion {
    QString text;
    int start = 0;
    int end = 0;
    int maxLength = 0;
};

// How many characters of `inserted` fit at `at`. Characters may join across the seams (a
// combining accent after a letter), so the count is taken on the text that would result.
int RoomFor(const Insertion &at, const QString &inserted, int noLimit);

// What the box takes of a pasted, dropped or composed `text` at `at`: its first line without
// control characters, as much of it as there is room for.
QString FittingLine(const Insertion &at, const QString &text, int noLimit);

} // namespace kestrune
