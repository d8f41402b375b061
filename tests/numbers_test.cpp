// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace kestrune {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTiniest = std::numeric_limits<double>::denorm_min();

std::string Zeros(std::size_t count)
{
    return std::string(count, '0');
}

struct ReadCase {
    std::string text;
    double value;
};

TEST(ParseNumber, ReadsTheLeadingNumberAndStopsAtTheFirstForeignCharacter)
{
    const ReadCase cases[] = { { "5", 5 }, { "5.", 5 }, { ".5", 0.5 }, { "5.5", 5.5 },
        { " \t+12ft", 12 }, { "-3.04800", -3.048 }, { "1E3", 1000 }, { "1e-3", 0.001 },
        { "2.5E+2x", 250 }, { "5.e1", 50 }, { "1E", 1 }, { "1E+", 1 }, { "1Ex", 1 }, { "1 2", 1 },
        { "12,5", 12 }, { "1..2", 1 }, { "0x10", 0 }, { "", 0 }, { "abc", 0 }, { ".", 0 },
        { "-", 0 }, { "+.", 0 }, { "- 1", 0 }, { ".e1", 0 }, { "\n1", 0 }, { "inf", 0 },
        { "nan", 0 }, { "-0", 0 }, { "9007199254740993", 9007199254740992.0 },
        { "2.2250738585072011e-308", 2.2250738585072011e-308 } };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseNumber(c.text), c.value);
    }
}

TEST(ParseNumber, GivesInfinityOrZeroBeyondTheRangeOfADouble)
{
    const ReadCase cases[]
        = { { "1e400", kInf }, { "-1e400", -kInf }, { "1e99999999999999999999", kInf },
              { "1000e306", kInf }, { "1" + Zeros(400) + "e-10", kInf }, { "1e-400", 0 },
              { "-1e-400", 0 }, { "0." + Zeros(400) + "1e10", 0 }, { "0e99999", 0 },
              { "0.001e310", 1e307 }, { "5e-324", kTiniest }, { "2e-324", 0 },
              { "1.7976931348623157e308", DBL_MAX }, { "1.79769313486232E+308", kInf } };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseNumber(c.text), c.value);
    }
}

TEST(TextToNumber, AcceptsExactlyOneNumberBetweenBlanks)
{
    const ReadCase accepted[] = { { "  12.5\t", 12.5 }, { "-.5", -0.5 }, { "+5.", 5 },
        { "1e3", 1000 }, { "1E-2", 0.01 }, { "1e400", kInf }, { "-1e400", -kInf } };
    for (const ReadCase &c : accepted) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextToNumber(c.text), c.value);
    }
    for (const char *text : { "", " \t", "12ft", "1E", "1e+", ".", "-", "1 2", "0x1", "inf", "nan",
             "1..2", "--1", "1e2.5", "\n1", "1\n", "1,5" }) {
        SCOPED_TRACE(text);
        EXPECT_EQ(TextToNumber(text), std::nullopt);
    }
}

TEST(NumberToText, WritesAtMostFifteenSignificantDigitsWithoutTrailingZeros)
{
    const ReadCase cases[] = { { "30", 30 }, { "12.5", 12.5 }, { "0.05", 0.05 }, { "-8.66", -8.66 },
        { "1.73205080996207", 1.73205080996207 }, { "1.73205080756888", std::sqrt(3.0) },
        { "22080", 22080 }, { "0.5", 0.5 }, { "100", 100 }, { "0.333333333333333", 1.0 / 3 },
        { "0.666666666666667", 2.0 / 3 }, { "0.3", 0.1 + 0.2 },
        { "123456.789012346", 123456.7890123456 }, { "0", 0.0 }, { "0", -0.0 },
        { "0.000003048", 3.048e-6 }, { "0." + Zeros(299) + "1", 1e-300 },
        { "0." + Zeros(323) + "494065645841247", kTiniest }, { "100000000000000", 1e14 },
        { "999999999999999", 999999999999999.0 }, { "1E+15", 999999999999999.9 }, { "1E+15", 1e15 },
        { "1.5E+15", 1.5e15 }, { "1.23456789012346E+15", 1234567890123456.0 }, { "1E+100", 1e100 },
        { "-2.5E+20", -2.5e20 }, { "1.79769313486232E+308", DBL_MAX }, { "", kInf }, { "", -kInf },
        { "", kNaN } };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(NumberToText(c.value), c.text);
    }
}

struct RoundCase {
    double value;
    int digits;
    double rounded;
};

TEST(RoundHalfEven, RoundsTheShownDigitsAndSendsExactHalvesToEven)
{
    const RoundCase cases[] = { { 1.0635, 3, 1.064 }, { 2.675, 2, 2.68 }, { 1.015, 2, 1.02 },
        { 0.285, 2, 0.28 }, { 2.5, 0, 2 }, { 3.5, 0, 4 }, { 1.5, 0, 2 }, { -2.5, 0, -2 },
        { -3.5, 0, -4 }, { 0.125, 2, 0.12 }, { 0.1251, 2, 0.13 }, { -0.1251, 2, -0.13 },
        { 9.995, 2, 10 }, { 0.96, 0, 1 }, { 0.5, 0, 0 }, { 0.0005, 3, 0 }, { 0.0015, 3, 0.002 },
        { 0.00051, 3, 0.001 }, { 0.00006, 3, 0 }, { 999999.5, 0, 1000000 }, { 2.5, -1, 2 } };
    for (const RoundCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " to " << c.digits);
        EXPECT_EQ(RoundHalfEven(c.value, c.digits), c.rounded);
    }
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.4, 0))) << "a negative value rounding to 0 gives +0";
}

TEST(RoundHalfEven, GivesTheShownValueWhenNoPlaceNeedsRounding)
{
    // 59.99999999999999 minutes show as 60 and must be 60, or the minutes would never carry.
    const RoundCase cases[] = { { 0.1 + 0.2, 2, 0.3 }, { 59.99999999999999, 0, 60 },
        { 12.5, 2, 12.5 }, { -7, 0, -7 }, { 1234567890123456.0, 0, 1234567890123460.0 },
        { 1e300, 3, 1e300 }, { 0.1, 1000, 0.1 }, { kInf, 2, kInf }, { -kInf, 0, -kInf } };
    for (const RoundCase &c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " to " << c.digits);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(RoundHalfEven(c.value, c.digits)),
            std::bit_cast<std::uint64_t>(c.rounded));
    }
    EXPECT_TRUE(std::isnan(RoundHalfEven(kNaN, 2)));
}

// `x` rounded to 15 significant digits by the C library, independently of the code under test.
double ShownValue(double x)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.14e", x);
    return std::strtod(text, nullptr);
}

// The first thing NumberToText and the readers get wrong about `x`; empty when nothing.
std::string RoundTripFault(double x)
{
    const std::string text = NumberToText(x);
    const double shown = ShownValue(x);
    if (ParseNumber(text) != shown) return "reads back as another value";
    if (TextToNumber(text) != shown) return "is not accepted as a whole number";
    const std::size_t e = text.find('E');
    if ((e != std::string::npos) != (std::fabs(shown) >= 1e15)) return "exponent form misplaced";
    std::string digits;
    for (char c : text.substr(0, e))
        if (c >= '0' && c <= '9' && (c != '0' || !digits.empty())) digits += c;
    if (digits.size() > 15) return "more than 15 significant digits";
    const std::string mantissa = text.substr(0, e);
    if (mantissa.find('.') != std::string::npos
        && (mantissa.back() == '0' || mantissa.back() == '.'))
        return "trailing zero or point";
    // The largest doubles show as a 15-digit value beyond the range, which reads as infinity.
    if (std::isfinite(shown) && NumberToText(ParseNumber(text)) != text)
        return "changes when written again";
    return {};
}

TEST(NumberToText, ReadsBackAsTheShownValueForRandomDoubles)
{
    std::mt19937_64 random(20240613);
    std::uniform_real_distribution<double> decade(-20.0, 300.0);
    std::vector<double> values = { 0.0, kTiniest, DBL_MAX, 999999999999999.9, 1e15, 1e-20 };
    while (values.size() < 120000)
        values.push_back(std::pow(10.0, decade(random)));
    while (values.size() < 160000) // short decimals, whose trailing zeros must go
        values.push_back(static_cast<double>(random() % 10000000) / std::pow(10.0, random() % 12));
    while (values.size() < 200000) {
        const double x = std::bit_cast<double>(static_cast<std::uint64_t>(random()));
        if (std::isfinite(x)) values.push_back(x);
    }
    int faults = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double x = i % 2 ? -values[i] : values[i];
        const std::string fault = RoundTripFault(x);
        if (!fault.empty() && ++faults <= 5)
            ADD_FAILURE() << NumberToText(x) << " (" << std::hexfloat << x << ") " << fault;
    }
    EXPECT_EQ(faults, 0);
}

// Rounds the 15-digit form of `x` with whole-number arithmetic on its digits.
double ReferenceRound(double x, int digits)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(x)); // d.dddddddddddddde±xx
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 16; ++i)
        if (i != 1) mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[i] - '0');
    const int dropped = 14 - std::atoi(text + 17) - digits; // mantissa places beyond those kept
    if (dropped <= 0) return ShownValue(x);
    std::uint64_t unit = 1;
    for (int i = 0; i < std::min(dropped, 17); ++i)
        unit *= 10;
    std::uint64_t kept = mantissa / unit;
    const std::uint64_t rest = mantissa % unit;
    if (rest == 0) return ShownValue(x);
    if (2 * rest > unit || (2 * rest == unit && kept % 2 == 1)) ++kept;
    std::snprintf(text, sizeof text, "%llue-%d", static_cast<unsigned long long>(kept), digits);
    const double magnitude = std::strtod(text, nullptr);
    return x < 0 && kept != 0 ? -magnitude : magnitude;
}

TEST(RoundHalfEven, AgreesWithWholeNumberRoundingOfTheShownDigits)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> decade(-8.0, 16.0);
    int faults = 0;
    for (int i = 0; i < 60000; ++i) {
        const int digits = static_cast<int>(random() % 5);
        const double scale = std::pow(10.0, digits + static_cast<int>(random() % 3));
        const double whole = static_cast<double>(random() % 100000000);
        double x = 0;
        switch (i % 3) {
        case 0: // a half in the last place of `scale`, often exactly the rounding place
            x = (2 * whole + 1) / (2 * scale);
            break;
        case 1:
            x = whole / scale / 10;
            break;
        default:
            x = std::pow(10.0, decade(random));
            break;
        }
        x = i % 2 ? -x : x;
        const double expected = ReferenceRound(x, digits);
        if (std::bit_cast<std::uint64_t>(RoundHalfEven(x, digits))
                != std::bit_cast<std::uint64_t>(expected)
            && ++faults <= 5)
            ADD_FAILURE() << std::hexfloat << x << " to " << digits << " places: expected "
                          << expected << ", got " << RoundHalfEven(x, digits);
    }
    EXPECT_EQ(faults, 0);
}

} // namespace
} // namespace kestrune
