// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/typing.h"

#include "platform/characters.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace kestrune {

bool TypesText(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty()) return false;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    const QChar first = text.at(0);
    return first.isPrint() || first.category() == QChar::Other_Format
        || first.category() == QChar::Other_PrivateUse || first.isHighSurrogate();
}

bool IsKeypadDecimalKey(const QKeyEvent *event)
{
    if (event->text().isEmpty()) return false;
    if (event->modifiers() & Qt::KeypadModifier)
        return event->key() == Qt::Key_Comma || event->key() == Qt::Key_Period;
    constexpr quint32 kX11KeypadDecimal = 91;
    return event->nativeScanCode() == kX11KeypadDecimal
        && QGuiApplication::platformName() == QLatin1String("xcb");
}

bool IsAccessKeyPress(const QKeyEvent *event)
{
#if defined(Q_OS_MACOS)
    Q_UNUSED(event);
    return false;
#else
    const Qt::KeyboardModifiers mods = event->modifiers();
    return (mods & Qt::AltModifier) && !(mods & Qt::ControlModifier) && !(mods & Qt::KeypadModifier)
        && !event->text().isEmpty();
#endif
}

int RoomFor(const Insertion &at, const QString &inserted, int noLimit)
{
    const QString before = at.text.left(at.start);
    const QString after = at.text.mid(at.end);
    const int available = characterCount(inserted);
    if (at.maxLength >= noLimit) return available;
    int fits = 0;
    for (int n = 1; n <= available; ++n) {
        if (characterCount(before + firstCharacters(inserted, n) + after) > at.maxLength) break;
        fits = n;
    }
    return fits;
}

QString FittingLine(const Insertion &at, const QString &text, int noLimit)
{
    QString line = singleLineText(text);
    // Of a long text no more than one character past the limit ever fits (what joins the
    // character before it takes no room of its own): it is cut there before the room is counted.
    if (at.maxLength < noLimit) line = firstCharacters(line, at.maxLength + 1);
    return firstCharacters(line, RoomFor(at, line, noLimit));
}

} // namespace kestrune
