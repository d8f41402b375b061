// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How many columns of a terminal a text takes: most characters one, East Asian wide and
// full-width characters and emoji two, combining marks and other zero-width characters none. A
// table of the program's own (after the Unicode East Asian Width property and the general
// categories Mn, Me and Cf), so that the command line needs no library for it on any system.

#include <cstddef>
#include <string_view>

namespace kestrune {

// The columns one character takes: 0, 1 or 2.
std::size_t CharacterWidth(char32_t character);

// The character of the UTF-8 text at `i`, and the index of the next one (a byte that starts no
// character is taken alone, as U+FFFD).
char32_t NextCharacter(std::string_view text, std::size_t &i);

// The columns the UTF-8 text takes.
std::size_t DisplayWidth(std::string_view text);

} // namespace kestrune
