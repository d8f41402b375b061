// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Conversions between field text and double-precision numbers.
//
// Every quantity Kestrune shows lives as the text of a field, so these four functions decide
// every digit the user sees. They use the standard library only and never throw.

#include <optional>
#include <string>
#include <string_view>

namespace kestrune {

// Reads the number at the start of `text`: leading blanks (space, tab) are skipped, then an
// optional sign, digits with an optional point and fraction (5, 5., .5, 5.5), and an optional
// exponent (E or e, optional sign, at least one digit; an incomplete exponent such as the "E" of
// "1E" is not part of the number). Reading stops at the first character that does not belong to
// the number; text without a leading number (empty text included) reads as 0. No blanks inside a
// number, no thousands separators, the point is the only decimal separator whatever the user's
// locale. Never fails; the value is the double nearest the decimal read, a magnitude beyond the
// range of a double reads as an infinity of its sign, one too small as 0.
double ParseNumber(std::string_view text);

// The whole text, apart from leading and trailing blanks, must be one number of the form that
// ParseNumber reads; anything else, empty text included, gives no value. A number beyond the range
// of a double gives an infinity: callers check for finiteness.
std::optional<double> TextToNumber(std::string_view text);

// The value rounded to at most 15 significant digits, trailing zeros and a trailing point
// dropped (30, 12.5, 0.05, -8.66). Positional form below 1E15, so small magnitudes never take
// exponent form (0.000003048); from 1E15 up the mantissa, E, a sign and the exponent
// (1.23456789012346E+15), judged after rounding, so 999999999999999.9 is written 1E+15. Negative
// zero is written 0. A non-finite value gives empty text: callers check for finiteness before they
// write a number into a field. The largest doubles (from 1.797693134862315E+308 up) are written
// 1.79769313486232E+308, which reads back as infinity.
std::string NumberToText(double value);

// Rounds to `digits` places after the point, deciding on the value's 15-significant-digit decimal
// form (the digits NumberToText shows): a value that shows as exactly halfway goes to the even
// last digit (2.5 -> 2, 2.675 to 2 places -> 2.68, 1.0635 to 3 places -> 1.064), and the rounded
// decimal comes back as the nearest double. A value that already shows no more than `digits`
// places comes back as the value it shows (59.99999999999999 shows as 60 and gives 60); a
// non-finite value comes back unchanged. Negative values round like their
// magnitudes; a result of zero is +0. A negative `digits` counts as 0.
double RoundHalfEven(double value, int digits);

// Whether `kept`, the first characters of the number text `text` that a box keeps, still shows
// the number's magnitude: the cut may drop decimals (1234.567 kept as 1234.56) but not integer
// digits (32808398.95 kept as 3280839) nor the exponent (1E+20 kept as a mantissa alone).
bool KeepsMagnitude(std::string_view text, std::string_view kept);

} // namespace kestrune
