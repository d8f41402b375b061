// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/sessions/loadoracle.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kestrune::sessionfuzz {

namespace {

// How many characters from `start` form a number: an optional sign, digits with an optional
// point and fraction (or a point and a fraction), and an optional exponent with digits; 0 where
// none begins there.
std::size_t numberLength(const std::string &text, std::size_t start)
{
    const auto digitsFrom = [&text](std::size_t at) {
        std::size_t end = at;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
        return end - at;
    };
    std::size_t at = start;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    const std::size_t whole = digitsFrom(at);
    at += whole;
    std::size_t fraction = 0;
    if (at < text.size() && text[at] == '.') {
        fraction = digitsFrom(at + 1);
        if (whole > 0 || fraction > 0) at += 1 + fraction;
    }
    if (whole == 0 && fraction == 0) return 0;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        const std::size_t digits = digitsFrom(exponent);
        if (digits > 0) at = exponent + digits;
    }
    return at - start;
}

// The number a box's text begins with, after leading blanks; 0 where it begins with none.
double leadingNumber(const std::string &text)
{
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) return 0;
    const std::size_t length = numberLength(text, start);
    return length == 0 ? 0 : std::strtod(text.substr(start, length).c_str(), nullptr);
}

// The number a box's whole text is, blanks around it allowed.
std::optional<double> wholeNumber(const std::string &text)
{
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) return std::nullopt;
    const std::size_t length = numberLength(text, start);
    if (length == 0 || text.find_first_not_of(' ', start + length) != std::string::npos)
        return std::nullopt;
    return std::strtod(text.substr(start, length).c_str(), nullptr);
}

// Fifteen significant digits, no trailing zeros, exponent form from 1E+15 up.
std::string shownText(double value)
{
    if (value == 0) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits { buffer[0] };
    digits += std::string(buffer + 2, buffer + 16);
    const int exponent = std::atoi(buffer + 17);
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string text = value < 0 ? "-" : "";
    if (exponent >= 15) {
        text += digits.substr(0, 1);
        if (digits.size() > 1) text += "." + digits.substr(1);
        return text + "E+" + std::to_string(exponent);
    }
    if (exponent < 0) return text + "0." + std::string(-exponent - 1, '0') + digits;
    const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) return text + digits + std::string(whole - digits.size(), '0');
    return text + digits.substr(0, whole) + "." + digits.substr(whole);
}

// What a box of `length` characters shows of a value, or nothing where the value is not finite or
// the first `length` characters would drop whole digits.
std::optional<std::string> boxText(double value, std::size_t length)
{
    if (!std::isfinite(value)) return std::nullopt;
    const std::string text = shownText(value);
    if (text.size() <= length) return text;
    const std::size_t point = text.find('.');
    if (text.find('E') != std::string::npos || point == std::string::npos || point > length)
        return std::nullopt;
    return text.substr(0, length);
}

} // namespace

std::optional<OracleResults> ExpectedResults(const OracleInputs &in)
{
    // Inches and feet to pounds, or millimetres and metres to kilograms.
    const double allowance = in.imperial ? 8 : 203;
    const double structuralFactor = in.imperial ? 4.6 : 0.27;
    const double machineryFactor = in.imperial ? 3.5 : 0.21;
    const double brakeFactor = in.imperial ? 4.6 : 0.27;
    const double massFactor = in.imperial ? 0.45359237 : 2.20462262184878;
    const std::size_t loadLength = 7, cotangentLength = 8;

    const double p = leadingNumber(in.projection), w = leadingNumber(in.width);
    const double d = leadingNumber(in.degrees), m = leadingNumber(in.minutes);
    if (p <= 0 || leadingNumber(in.rise) <= 0 || w <= 0 || d + m <= 0) return std::nullopt;
    const std::optional<double> rise = wholeNumber(in.rise);
    if (!rise) return std::nullopt;

    const double t = std::tan((d + m / 60) * 0.0174532925);
    const double structural = (w + allowance) * p * structuralFactor;
    const double machinery = *rise * (1 / t) * (w + allowance) * machineryFactor;
    const double brake = *rise * (1 / t) * (w + allowance) * brakeFactor;

    bool whole = true;
    const auto own = [&](double value, std::size_t length) {
        std::optional<std::string> text = boxText(value, length);
        whole = whole && text.has_value();
        return text.value_or(std::string());
    };
    const auto other = [&](const std::string &ownText) {
        const std::optional<double> value = wholeNumber(ownText);
        return own(value ? *value * massFactor : NAN, loadLength);
    };

    OracleResults r;
    r.structuralOwn = own(structural, loadLength);
    r.structuralOther = other(r.structuralOwn);
    r.machineryOwn = own(machinery, loadLength);
    r.machineryOther = other(r.machineryOwn);
    r.brakeStaticOwn = own(brake, loadLength);
    r.brakeStaticOther = other(r.brakeStaticOwn);
    r.cotangent = own(1 / t, cotangentLength);
    if (!whole) return std::nullopt;
    return r;
}

} // namespace kestrune::sessionfuzz
