// SPDX-License-Identifier: GPL-3.0-or-later
// Any double a calculation can produce: NumberToText writes at most 15 significant digits that
// read back, with both readers, as the value rounded to 15 digits; RoundHalfEven agrees with
// exact decimal rounding of that 15-digit form.

#include "core/numbers.h"
#include "tests/fuzz/reference.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < sizeof(double) + 1) return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    const int places = data[sizeof value] % 4; // the program rounds to 0, 2 and 3 places

    const std::string text = kestrune::NumberToText(value);
    if (!std::isfinite(value)) {
        if (!text.empty()) std::abort();
        return 0;
    }
    const double rounded = reference::round15(value);
    const std::optional<double> back = kestrune::TextToNumber(text);
    if (!back || kestrune::ParseNumber(text) != *back) std::abort();
    if (std::isfinite(rounded) && *back != rounded) std::abort();
    // Exponent form only from 1E15 up.
    if (text.find('E') != std::string::npos && std::fabs(rounded) < 1e15) std::abort();

    const double ours = kestrune::RoundHalfEven(value, places);
    const double expected = reference::roundHalfEven(value, places);
    if (!(ours == expected) && !(std::isnan(ours) && std::isnan(expected))) std::abort();
    return 0;
}
