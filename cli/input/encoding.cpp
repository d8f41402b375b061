// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/input/encoding.h"

#include "cli/input/escalatorentry.h"
#include "cli/input/utf8.h"

#include <array>

namespace kestrune {

namespace {

// Windows-1252 differs from Latin-1 in 0x80 to 0x9F alone; its five unassigned bytes there are
// taken as the control characters of the same number, as Windows itself reads them.
constexpr std::array<char16_t, 32> kWindows1252High { 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E,
    0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090,
    0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153,
    0x009D, 0x017E, 0x0178 };

void appendUtf8(std::string &out, char16_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

} // namespace

bool StartsAsUtf8(std::string_view start, bool whole)
{
    if (IsUtf8(start)) return true;
    if (whole) return false;
    // A character is at most 4 bytes long: one of them cut short may end the sample.
    for (std::size_t cut = 1; cut < 4 && cut <= start.size(); ++cut) {
        const auto byte = static_cast<unsigned char>(start[start.size() - cut]);
        if ((byte & 0xC0u) == 0xC0u) return IsUtf8(start.substr(0, start.size() - cut));
        if ((byte & 0xC0u) != 0x80u) break;
    }
    return false;
}

std::optional<TextEncoding> encodingNamed(std::string_view name)
{
    for (const std::string_view utf8 : { "utf-8", "utf8" })
        if (isNamed(name, utf8)) return TextEncoding::Utf8;
    for (const std::string_view utf16 : { "utf-16", "utf16" })
        if (isNamed(name, utf16)) return TextEncoding::Utf16;
    for (const std::string_view windows : { "windows-1252", "cp1252" })
        if (isNamed(name, windows)) return TextEncoding::Windows1252;
    return std::nullopt;
}

std::string_view encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf16:
        return "UTF-16";
    case TextEncoding::Windows1252:
        return "Windows-1252";
    case TextEncoding::Utf8:
        break;
    }
    return "UTF-8";
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0)
            appendUtf8(out, kWindows1252High[byte - 0x80]);
        else
            appendUtf8(out, byte);
    }
    return out;
}

} // namespace kestrune
