// SPDX-License-Identifier: GPL-3.0-or-later
// The keys and pasted texts of a script, read into what a keyboard and the clipboard would give
// the program.

#include "tools/scriptkeys.h"

#include "tools/session.h"

#include <QStringList>

namespace kestrune {

KeyCombination parseKey(const QString &combination)
{
    QStringList parts = combination.split(QLatin1Char('+'));
    const QString last = parts.takeLast();
    KeyCombination parsed;
    for (const QString &part : parts) {
        if (part == QLatin1String("Shift"))
            parsed.modifiers |= Qt::ShiftModifier;
        else if (part == QLatin1String("Ctrl"))
            parsed.modifiers |= Qt::ControlModifier;
        else if (part == QLatin1String("Alt"))
            parsed.modifiers |= Qt::AltModifier;
        else
            throw ScriptError("unknown key: " + combination.toStdString());
    }
    // Each key with the text a keyboard sends with it.
    static const struct {
        const char *name;
        Qt::Key key;
        const char *text;
    } named[] = { { "Tab", Qt::Key_Tab, "\t" }, { "Enter", Qt::Key_Return, "\r" },
        { "Return", Qt::Key_Return, "\r" }, { "Escape", Qt::Key_Escape, "\x1b" },
        { "Backspace", Qt::Key_Backspace, "\b" }, { "Delete", Qt::Key_Delete, "\x7f" },
        { "Insert", Qt::Key_Insert, "" }, { "Home", Qt::Key_Home, "" }, { "End", Qt::Key_End, "" },
        { "Left", Qt::Key_Left, "" }, { "Right", Qt::Key_Right, "" }, { "Up", Qt::Key_Up, "" },
        { "Down", Qt::Key_Down, "" }, { "Space", Qt::Key_Space, " " }, { "F1", Qt::Key_F1, "" } };
    for (const auto &entry : named) {
        if (last == QLatin1String(entry.name)) {
            parsed.key = entry.key;
            parsed.text = QString::fromLatin1(entry.text);
            return parsed;
        }
    }
    if (last.size() == 1 && last.at(0).isLetterOrNumber() && last.at(0).unicode() < 128) {
        const QChar upper = last.at(0).toUpper();
        parsed.key = Qt::Key(upper.unicode());
        if (upper.isLetter() && (parsed.modifiers & Qt::ControlModifier))
            parsed.text = QChar(upper.unicode() - 'A' + 1); // Ctrl+A is the control character 1
        else if (upper.isLetter())
            parsed.text = (parsed.modifiers & Qt::ShiftModifier) ? upper : upper.toLower();
        else
            parsed.text = upper;
        return parsed;
    }
    throw ScriptError("unknown key: " + combination.toStdString());
}

QString pastedText(const QString &argument)
{
    QString text;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        const QChar c = argument.at(i);
        if (c == QLatin1Char('\\') && i + 1 < argument.size()) {
            const QChar next = argument.at(i + 1);
            if (next == QLatin1Char('n') || next == QLatin1Char('t') || next == QLatin1Char('\\')) {
                text += next == QLatin1Char('n') ? QLatin1Char('\n')
                    : next == QLatin1Char('t')   ? QLatin1Char('\t')
                                                 : QLatin1Char('\\');
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

} // namespace kestrune
