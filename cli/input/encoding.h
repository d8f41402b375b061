// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text encodings kestrune-calc reads CSV files in, by the names a user gives them.

#include <optional>
#include <string>
#include <string_view>

namespace kestrune {

enum class TextEncoding { Utf8, Utf16, Windows1252 };

// "utf-8", "utf-16", "windows-1252" (also "utf8", "utf16", "cp1252"), in any case.
std::optional<TextEncoding> encodingNamed(std::string_view name);
std::string_view encodingName(TextEncoding encoding);

// The UTF-8 text of Windows-1252 bytes.
std::string Windows1252ToUtf8(std::string_view bytes);

// Whether `start` (a file's first bytes) is UTF-8 text, but for a character cut off at its end
// where the file goes on (`whole` false).
bool StartsAsUtf8(std::string_view start, bool whole);

} // namespace kestrune
