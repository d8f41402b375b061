// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/input/utf8.h"

#include <algorithm>

namespace kestrune {

namespace {

// The length of the well-formed UTF-8 sequence at `i` (no overlong forms, no surrogates, nothing
// above U+10FFFF), or 0 where none starts there.
std::size_t utf8SequenceAt(std::string_view text, std::size_t i)
{
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) return 1;
    std::size_t length = 0;
    unsigned int codePoint = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        codePoint = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        codePoint = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        codePoint = c & 0x07u;
    } else {
        return 0;
    }
    if (text.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0u) != 0x80u) return 0;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    const bool overlong
        = (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (overlong || surrogate || codePoint > 0x10FFFF) return 0;
    return length;
}

} // namespace

bool IsUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceAt(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string RepairedUtf8(std::string_view text, std::size_t maxBytes)
{
    std::string repaired;
    repaired.reserve(std::min(text.size(), maxBytes));
    constexpr std::string_view kReplacement = "\uFFFD";
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceAt(text, i);
        const std::string_view piece = length == 0 ? kReplacement : text.substr(i, length);
        if (repaired.size() + piece.size() > maxBytes) break;
        repaired += piece;
        i += length == 0 ? 1 : length;
    }
    return repaired;
}

} // namespace kestrune
