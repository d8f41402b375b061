// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output/displaywidth.h"

#include <algorithm>
#include <array>

namespace kestrune {

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// Combining marks and format characters: drawn over or between the characters around them.
constexpr std::array kZeroWidth { Range { 0x0300, 0x036F }, Range { 0x0483, 0x0489 },
    Range { 0x0591, 0x05BD }, Range { 0x05BF, 0x05BF }, Range { 0x05C1, 0x05C2 },
    Range { 0x05C4, 0x05C5 }, Range { 0x05C7, 0x05C7 }, Range { 0x0610, 0x061A },
    Range { 0x064B, 0x065F }, Range { 0x0670, 0x0670 }, Range { 0x06D6, 0x06DC },
    Range { 0x06DF, 0x06E4 }, Range { 0x06E7, 0x06E8 }, Range { 0x06EA, 0x06ED },
    Range { 0x0900, 0x0902 }, Range { 0x093A, 0x093A }, Range { 0x093C, 0x093C },
    Range { 0x0941, 0x0948 }, Range { 0x094D, 0x094D }, Range { 0x0951, 0x0957 },
    Range { 0x0E31, 0x0E31 }, Range { 0x0E34, 0x0E3A }, Range { 0x0E47, 0x0E4E },
    Range { 0x1160, 0x11FF }, Range { 0x1AB0, 0x1AFF }, Range { 0x1DC0, 0x1DFF },
    Range { 0x200B, 0x200F }, Range { 0x202A, 0x202E }, Range { 0x2060, 0x2064 },
    Range { 0x20D0, 0x20FF }, Range { 0x302A, 0x302D }, Range { 0x3099, 0x309A },
    Range { 0xFE00, 0xFE0F }, Range { 0xFE20, 0xFE2F }, Range { 0xFEFF, 0xFEFF },
    Range { 0x1F3FB, 0x1F3FF }, Range { 0xE0000, 0xE0FFF } };

// East Asian wide and full-width characters, and the emoji shown as pictures.
constexpr std::array kDoubleWidth { Range { 0x1100, 0x115F }, Range { 0x231A, 0x231B },
    Range { 0x2329, 0x232A }, Range { 0x23E9, 0x23EC }, Range { 0x23F0, 0x23F0 },
    Range { 0x23F3, 0x23F3 }, Range { 0x25FD, 0x25FE }, Range { 0x2614, 0x2615 },
    Range { 0x2648, 0x2653 }, Range { 0x267F, 0x267F }, Range { 0x2693, 0x2693 },
    Range { 0x26A1, 0x26A1 }, Range { 0x26AA, 0x26AB }, Range { 0x26BD, 0x26BE },
    Range { 0x26C4, 0x26C5 }, Range { 0x26CE, 0x26CE }, Range { 0x26D4, 0x26D4 },
    Range { 0x26EA, 0x26EA }, Range { 0x26F2, 0x26F3 }, Range { 0x26F5, 0x26F5 },
    Range { 0x26FA, 0x26FA }, Range { 0x26FD, 0x26FD }, Range { 0x2705, 0x2705 },
    Range { 0x270A, 0x270B }, Range { 0x2728, 0x2728 }, Range { 0x274C, 0x274C },
    Range { 0x274E, 0x274E }, Range { 0x2753, 0x2755 }, Range { 0x2757, 0x2757 },
    Range { 0x2795, 0x2797 }, Range { 0x27B0, 0x27B0 }, Range { 0x27BF, 0x27BF },
    Range { 0x2B1B, 0x2B1C }, Range { 0x2B50, 0x2B50 }, Range { 0x2B55, 0x2B55 },
    Range { 0x2E80, 0x303E }, Range { 0x3041, 0x33FF }, Range { 0x3400, 0x4DBF },
    Range { 0x4E00, 0x9FFF }, Range { 0xA000, 0xA4CF }, Range { 0xA960, 0xA97F },
    Range { 0xAC00, 0xD7A3 }, Range { 0xF900, 0xFAFF }, Range { 0xFE10, 0xFE19 },
    Range { 0xFE30, 0xFE6F }, Range { 0xFF00, 0xFF60 }, Range { 0xFFE0, 0xFFE6 },
    Range { 0x16FE0, 0x18CFF }, Range { 0x1B000, 0x1B2FF }, Range { 0x1F004, 0x1F004 },
    Range { 0x1F0CF, 0x1F0CF }, Range { 0x1F18E, 0x1F18E }, Range { 0x1F191, 0x1F19A },
    Range { 0x1F200, 0x1F2FF }, Range { 0x1F300, 0x1F320 }, Range { 0x1F32D, 0x1F335 },
    Range { 0x1F337, 0x1F37C }, Range { 0x1F37E, 0x1F393 }, Range { 0x1F3A0, 0x1F3CA },
    Range { 0x1F3CF, 0x1F3D3 }, Range { 0x1F3E0, 0x1F3F0 }, Range { 0x1F3F4, 0x1F3F4 },
    Range { 0x1F3F8, 0x1F3FA }, Range { 0x1F400, 0x1F43E }, Range { 0x1F440, 0x1F440 },
    Range { 0x1F442, 0x1F4FC }, Range { 0x1F4FF, 0x1F53D }, Range { 0x1F54B, 0x1F54E },
    Range { 0x1F550, 0x1F567 }, Range { 0x1F57A, 0x1F57A }, Range { 0x1F595, 0x1F596 },
    Range { 0x1F5A4, 0x1F5A4 }, Range { 0x1F5FB, 0x1F64F }, Range { 0x1F680, 0x1F6C5 },
    Range { 0x1F6CC, 0x1F6CC }, Range { 0x1F6D0, 0x1F6D2 }, Range { 0x1F6D5, 0x1F6D7 },
    Range { 0x1F6DC, 0x1F6DF }, Range { 0x1F6EB, 0x1F6EC }, Range { 0x1F6F4, 0x1F6FC },
    Range { 0x1F7E0, 0x1F7EB }, Range { 0x1F7F0, 0x1F7F0 }, Range { 0x1F90C, 0x1F93A },
    Range { 0x1F93C, 0x1F945 }, Range { 0x1F947, 0x1F9FF }, Range { 0x1FA70, 0x1FAFF },
    Range { 0x20000, 0x2FFFD }, Range { 0x30000, 0x3FFFD } };

template <std::size_t N> bool within(const std::array<Range, N> &ranges, char32_t character)
{
    const auto *found = std::lower_bound(ranges.begin(), ranges.end(), character,
        [](const Range &range, char32_t value) { return range.last < value; });
    return found != ranges.end() && found->first <= character;
}

} // namespace

std::size_t CharacterWidth(char32_t character)
{
    // Nothing below the combining accents is wide or of no width.
    if (character < kZeroWidth.front().first) return 1;
    if (within(kZeroWidth, character)) return 0;
    if (within(kDoubleWidth, character)) return 2;
    return 1;
}

char32_t NextCharacter(std::string_view text, std::size_t &i)
{
    const auto first = static_cast<unsigned char>(text[i++]);
    std::size_t more = 0;
    char32_t character = first;
    if (first >= 0xF0 && first <= 0xF4) {
        more = 3;
        character = first & 0x07u;
    } else if (first >= 0xE0) {
        more = 2;
        character = first & 0x0Fu;
    } else if (first >= 0xC2 && first < 0xE0) {
        more = 1;
        character = first & 0x1Fu;
    } else if (first >= 0x80) {
        return U'\uFFFD';
    }
    for (; more > 0; --more) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0u) != 0x80u)
            return U'\uFFFD';
        character = (character << 6) | (static_cast<unsigned char>(text[i++]) & 0x3Fu);
    }
    return character;
}

std::size_t DisplayWidth(std::string_view text)
{
    // Most texts are ASCII, a column each.
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; }))
        return text.size();
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();)
        width += CharacterWidth(NextCharacter(text, i));
    return width;
}

} // namespace kestrune
