// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <limits>
#include <system_error>

namespace kestrune {
namespace {

// Significant digits a field shows.
constexpr int kShownDigits = 15;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view WithoutLeadingBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view WithoutTrailingBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Length of the number at the start of `text`: optional sign, digits with an optional point and
// fraction, and an exponent only when it is complete (E or e, optional sign, at least one digit),
// so "1E+" is the number 1 followed by other text. 0 when the text does not start with a number.
std::size_t NumberLength(std::string_view text)
{
    const auto digitsFrom = [text](std::size_t i) {
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        return i;
    };
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t integerEnd = digitsFrom(i);
    bool anyDigit = integerEnd > i;
    i = integerEnd;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionEnd = digitsFrom(i + 1);
        anyDigit = anyDigit || fractionEnd > i + 1;
        i = fractionEnd;
    }
    if (!anyDigit) return 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t exponentEnd = digitsFrom(j);
        if (exponentEnd > j) i = exponentEnd;
    }
    return i;
}

// For an unsigned number that does not fit a double: whether it is too large (rather than too
// small). Such a number lies far from 1, so the decimal place of its leading nonzero digit tells.
bool BeyondLargest(std::string_view number)
{
    const std::size_t mantissaEnd = std::min(number.find_first_of("Ee"), number.size());
    const std::string_view mantissa = number.substr(0, mantissaEnd);
    long long place = static_cast<long long>(std::min(mantissa.find('.'), mantissa.size())) - 1;
    long long leadingPlace = 0; // a number out of range always has a nonzero digit
    for (char c : mantissa) {
        if (c == '.') continue;
        if (c != '0') {
            leadingPlace = place;
            break;
        }
        --place;
    }
    // Every exponent beyond a million is out of range whatever the mantissa; stop counting there.
    constexpr long long kExponentCap = 1'000'000;
    long long exponent = 0;
    bool negativeExponent = false;
    for (char c : number.substr(std::min(mantissaEnd + 1, number.size()))) {
        if (c == '-')
            negativeExponent = true;
        else if (IsDigit(c))
            exponent = std::min(exponent * 10 + (c - '0'), kExponentCap);
    }
    return leadingPlace + (negativeExponent ? -exponent : exponent) >= 0;
}

// The value of a text that NumberLength has accepted in full, correctly rounded. from_chars
// ignores the user's locale and, given only the validated characters, never sees the hexadecimal,
// infinity or NaN forms it would otherwise accept.
double ValueOf(std::string_view number)
{
    bool negative = false;
    if (number.front() == '+' || number.front() == '-') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    double magnitude = 0.0;
    const std::from_chars_result read = std::from_chars(
        number.data(), number.data() + number.size(), magnitude, std::chars_format::general);
    if (read.ec == std::errc::result_out_of_range)
        magnitude = BeyondLargest(number) ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
}

// A finite magnitude rounded to 15 significant digits: digits[0], the point, then the remaining
// digits, times ten to `exponent`. Trailing zeros are not counted; zero is the single digit 0.
struct ShownForm {
    char digits[kShownDigits];
    int count;
    int exponent;
};

ShownForm ShowMagnitude(double magnitude)
{
    // Scientific form with 14 digits after the point: "d.ddddddddddddddde+xx", at most 3 exponent
    // digits. to_chars rounds the binary value correctly and ignores the locale.
    char text[32];
    const char *const end = std::to_chars(
        text, text + sizeof text, magnitude, std::chars_format::scientific, kShownDigits - 1)
                                .ptr;
    ShownForm shown {};
    shown.digits[0] = text[0];
    std::memcpy(shown.digits + 1, text + 2, kShownDigits - 1);
    shown.count = kShownDigits;
    while (shown.count > 1 && shown.digits[shown.count - 1] == '0')
        --shown.count;
    const char *exponentText = text + kShownDigits + 2; // after "d.dd...d" and 'e'
    const bool negativeExponent = *exponentText == '-';
    std::from_chars(exponentText + 1, end, shown.exponent);
    if (negativeExponent) shown.exponent = -shown.exponent;
    return shown;
}

} // namespace

double ParseNumber(std::string_view text)
{
    text = WithoutLeadingBlanks(text);
    const std::size_t length = NumberLength(text);
    return length == 0 ? 0.0 : ValueOf(text.substr(0, length));
}

std::optional<double> TextToNumber(std::string_view text)
{
    text = WithoutTrailingBlanks(WithoutLeadingBlanks(text));
    const std::size_t length = NumberLength(text);
    if (length == 0 || length != text.size()) return std::nullopt;
    return ValueOf(text);
}

std::string NumberToText(double value)
{
    if (!std::isfinite(value)) return {};
    const ShownForm shown = ShowMagnitude(std::fabs(value));

    // Longest text: sign, "0.", 323 zeros before the digits of the smallest subnormal, 15 digits.
    char text[360];
    std::size_t length = 0;
    const auto put = [&text, &length](char c) { text[length++] = c; };
    if (value < 0) put('-');
    if (shown.exponent >= kShownDigits) {
        put(shown.digits[0]);
        if (shown.count > 1) put('.');
        for (int i = 1; i < shown.count; ++i)
            put(shown.digits[i]);
        put('E');
        put('+');
        // The exponent is at least 15 here, so it always has the two digits users expect.
        length = static_cast<std::size_t>(
            std::to_chars(text + length, text + sizeof text, shown.exponent).ptr - text);
    } else if (shown.exponent >= 0) {
        const int integerDigits = shown.exponent + 1;
        for (int i = 0; i < std::max(shown.count, integerDigits); ++i) {
            if (i == integerDigits) put('.');
            put(i < shown.count ? shown.digits[i] : '0');
        }
    } else {
        put('0');
        put('.');
        for (int i = -1; i > shown.exponent; --i)
            put('0');
        for (int i = 0; i < shown.count; ++i)
            put(shown.digits[i]);
    }
    try {
        return std::string(text, length);
    } catch (...) {
        // Only an allocation failure gets here; empty text is what callers already handle.
        return {};
    }
}

double RoundHalfEven(double value, int digits)
{
    if (!std::isfinite(value)) return value;
    digits = std::max(digits, 0);
    const ShownForm shown = ShowMagnitude(std::fabs(value));
    const int fractionDigits = shown.count - 1 - shown.exponent;
    if (fractionDigits <= digits) {
        // Nothing to round beyond what shows; the value is what shows (59.99999999999999 shows as
        // 60 and is 60: an angle's minutes must then carry into the degrees).
        const double shownValue = ParseNumber(NumberToText(value));
        return std::isfinite(shownValue) ? shownValue : value;
    }

    // Shown digits from the leading one down to the last place kept; fewer than shown.count,
    // and negative when even the first shown digit lies beyond the first dropped place.
    const int kept = shown.exponent + 1 + digits;
    char text[kShownDigits + 1 + 8];
    int length = 0;
    bool roundUp = false;
    if (kept >= 0) {
        std::memcpy(text, shown.digits, static_cast<std::size_t>(kept));
        length = kept;
        const char firstDropped = shown.digits[kept];
        const bool moreDropped = shown.count > kept + 1; // trailing zeros are not counted
        const bool lastKeptEven = kept == 0 || (shown.digits[kept - 1] - '0') % 2 == 0;
        roundUp = firstDropped > '5' || (firstDropped == '5' && (moreDropped || !lastKeptEven));
    }
    if (length == 0) text[length++] = '0';
    if (roundUp) {
        int i = length - 1;
        for (; i >= 0 && text[i] == '9'; --i)
            text[i] = '0';
        if (i >= 0) {
            ++text[i];
        } else {
            std::memmove(text + 1, text, static_cast<std::size_t>(length));
            text[0] = '1';
            ++length;
        }
    }
    // The kept digits as a whole number, times ten to -digits.
    text[length++] = 'e';
    text[length++] = '-';
    length = static_cast<int>(std::to_chars(text + length, text + sizeof text, digits).ptr - text);
    double magnitude = 0.0;
    std::from_chars(text, text + length, magnitude);
    return value < 0 && magnitude != 0 ? -magnitude : magnitude;
}

bool KeepsMagnitude(std::string_view text, std::string_view kept)
{
    if (kept.size() >= text.size()) return true;
    if (text.find_first_of("Ee") != std::string_view::npos) return false;
    const std::size_t point = text.find('.');
    return point != std::string_view::npos && kept.size() >= point;
}

} // namespace kestrune
