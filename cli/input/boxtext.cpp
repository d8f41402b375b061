// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/input/boxtext.h"

#include "core/numbers.h"
#include "platform/characters.h"

#include <cctype>

namespace kestrune {

namespace {

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Whether `kept`, the first characters of `text`, still holds the whole part of the number the
// text begins with, and its exponent if it has one: only decimals, or what follows the number,
// are cut off.
bool keepsWholePart(std::string_view text, std::string_view kept)
{
    const std::size_t length = kept.size();
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos) return true;
    auto skipDigits = [&] {
        while (i < text.size() && isDigit(text[i]))
            ++i;
    };
    if (text[i] == '+' || text[i] == '-') ++i;
    skipDigits();
    const std::size_t wholeEnd = i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        skipDigits();
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t exponent = i + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        if (exponent < text.size() && isDigit(text[exponent])) {
            i = exponent;
            skipDigits();
            return length >= i;
        }
    }
    return length >= wholeEnd;
}

} // namespace

std::string JoinedText(const std::vector<Notice> &notices)
{
    std::string text;
    for (const Notice &notice : notices) {
        if (!text.empty() && text.back() != ' ') text += ' ';
        text += notice.text;
    }
    return text;
}

std::string FirstCharacters(std::string_view text, std::size_t length)
{
    // Every character takes a byte at least.
    if (text.size() <= length) return std::string(text);
    const QString all = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return firstCharacters(all, static_cast<int>(length)).toStdString();
}

std::string BoxText(
    const InputBox &box, std::string_view given, BoxNotices &notices, std::string_view refusal)
{
    std::string kept = FirstCharacters(given, box.length);
    if (kept.size() == given.size() || ParseNumber(kept) == ParseNumber(given)) return kept;
    const std::string text
        = "The text \"" + std::string(given) + "\" for the " + std::string(box.quantity);
    const std::string holds = std::to_string(box.length) + " characters";
    if (keepsWholePart(given, kept)) {
        notices.warnings.push_back({ std::string(box.column),
            text + " is read as \"" + kept + "\", as its box holds " + holds + "." });
    } else if (!notices.error) {
        notices.error = Notice { std::string(box.column),
            text + " does not fit in its box of " + holds + ": it would be read as \"" + kept
                + "\". " + std::string(refusal) };
    }
    return kept;
}

} // namespace kestrune
