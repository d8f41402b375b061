// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts given on the command line or in a CSV file go into boxes that keep only their first
// characters, counted as the windows' boxes count them (platform/characters.h). Where that cut
// drops only decimals (12.34567 kept as 12.3456 in a box of 7), the kept text is used, as the
// window would, and a warning says so; where it would drop whole digits or an exponent (12345678
// kept as 1234567), the text is refused: a calculation with it would be many times off.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune {

// How a refusal of an escalator ends.
inline constexpr std::string_view kNoLoads = "No loads were calculated.";

// A message for the user (a window message's prompt, or the fault of a row of a file), with the
// column it concerns (may be empty).
struct Notice {
    std::string column;
    std::string text;
};

struct InputBox {
    std::string_view column;
    std::string_view quantity; // as a message names it: "total rise"
    std::size_t length; // most characters the box keeps
};

struct BoxNotices {
    std::vector<Notice> warnings;
    std::optional<Notice> error; // the first text refused
};

// The first `length` characters of `text` (UTF-8), as a box keeps them: never half of one.
std::string FirstCharacters(std::string_view text, std::size_t length);

// The text `box` keeps of `given`. `refusal` ends the message of a refused text ("No loads were
// calculated.").
std::string BoxText(
    const InputBox &box, std::string_view given, BoxNotices &notices, std::string_view refusal);

// The texts of several notices in one cell, read as the sentences they are.
std::string JoinedText(const std::vector<Notice> &notices);

} // namespace kestrune
