// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Independent reference versions of what the number conversions promise, written differently
// from the conversions themselves (a regular expression for the number form, the C library's
// printf and strtod for 15-digit rounding, digit-string arithmetic for half-even rounding).

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

namespace reference {

// A whole text that is one number, blanks (space, tab) allowed around it.
inline bool isNumberText(const std::string &text)
{
    static const std::regex form(R"(^[ \t]*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?[ \t]*$)");
    return std::regex_match(text, form);
}

// The value rounded to 15 significant digits, as a double.
inline double round15(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    return std::strtod(buffer, nullptr);
}

// The 15-significant-digit form of `value` as sign, digits and the position of the point:
// value = 0.d1d2...d15 x 10^pointPosition.
struct Decimal {
    bool negative = false;
    std::string digits; // 15 digits
    int pointPosition = 0;
};

inline Decimal decimal15(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    Decimal d;
    const char *p = buffer;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p) {
        if (*p != '.') d.digits += *p;
    }
    d.pointPosition = std::atoi(p + 1) + 1;
    return d;
}

// Half-even rounding of the 15-digit form to `places` decimals, by digit-string arithmetic.
inline double roundHalfEven(double value, int places)
{
    if (!std::isfinite(value) || value == 0) return value;
    Decimal d = decimal15(value);
    // Digits kept: those before the point plus `places` after it.
    const int keep = d.pointPosition + places;
    if (keep >= static_cast<int>(d.digits.size()))
        return std::isfinite(round15(value)) ? round15(value) : value; // nothing beyond `places`
    std::string kept = keep > 0 ? d.digits.substr(0, static_cast<std::size_t>(keep)) : "";
    const std::string rest = keep >= 0
        ? d.digits.substr(static_cast<std::size_t>(keep))
        : std::string(static_cast<std::size_t>(-keep), '0') + d.digits;
    const bool above
        = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
    const bool half = rest[0] == '5' && rest.find_first_not_of('0', 1) == std::string::npos;
    const bool lastOdd = !kept.empty() && (kept.back() - '0') % 2 == 1;
    bool up = above || (half && lastOdd);
    if (keep < 0) up = false; // the whole value lies below half a unit of the last place kept
    std::string digits = kept.empty() ? "0" : kept;
    if (up) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
            digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[static_cast<std::size_t>(i)];
    }
    const std::string text
        = std::string(d.negative ? "-" : "") + digits + "e" + std::to_string(-places);
    const double result = std::strtod(text.c_str(), nullptr);
    return result == 0 ? 0.0 : result;
}

} // namespace reference
