// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// UTF-8 as kestrune-calc takes it from files and arguments: well-formed or repaired.

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrune {

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsUtf8(std::string_view text);

// `text` with every byte that is not part of well-formed UTF-8 replaced by U+FFFD, cut (between
// characters) to at most `maxBytes` bytes.
std::string RepairedUtf8(std::string_view text, std::size_t maxBytes);

} // namespace kestrune
