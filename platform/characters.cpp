// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/characters.h"

#include <QList>
#include <QTextBoundaryFinder>

namespace kestrune {

namespace {

// The positions in `text` where a character (grapheme cluster) ends.
QList<qsizetype> characterEnds(const QString &text)
{
    QList<qsizetype> ends;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.toStart();
    for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary())
        ends.append(end);
    return ends;
}

// Whether every code unit of `text` is a character of its own: below U+0300 nothing joins (no
// combining mark, joiner, surrogate or syllable part), except a carriage return with the line
// feed after it. Numbers and most names are such texts, and are counted without the text's
// boundaries being looked up.
bool oneCodeUnitPerCharacter(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x300) return false;
    }
    return !text.contains(QLatin1String("\r\n"));
}

} // namespace

int characterCount(const QString &text)
{
    if (oneCodeUnitPerCharacter(text)) return static_cast<int>(text.size());
    return static_cast<int>(characterEnds(text).size());
}

QString firstCharacters(const QString &text, int count)
{
    if (count <= 0) return QString();
    if (text.size() <= count) return text; // at most one code unit a character
    if (oneCodeUnitPerCharacter(text)) return text.left(count);
    const QList<qsizetype> ends = characterEnds(text);
    if (ends.size() <= count) return text;
    return text.left(ends.at(count - 1));
}

QString singleLineText(const QString &text)
{
    QString line;
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator || c == QChar(0x0B) || c == QChar(0x0C)
            || c == QChar(0x85))
            break;
        if (c == QLatin1Char('\t'))
            line += QLatin1Char(' ');
        else if (c.category() != QChar::Other_Control)
            line += c;
    }
    return line;
}

} // namespace kestrune
