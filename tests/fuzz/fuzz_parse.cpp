// SPDX-License-Identifier: GPL-3.0-or-later
// Any text a user can type or paste: ParseNumber never fails, TextToNumber accepts exactly the
// texts that are one number, and both read such a number to the same value.

#include "core/numbers.h"
#include "tests/fuzz/reference.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > 64) return 0; // fields hold a few characters; long texts add nothing but time
    const std::string text(reinterpret_cast<const char *>(data), size);

    const double parsed = kestrune::ParseNumber(text);
    if (std::isnan(parsed)) std::abort();

    const std::optional<double> whole = kestrune::TextToNumber(text);
    if (whole.has_value() != reference::isNumberText(text)) std::abort();
    if (whole && !(*whole == parsed)) std::abort();

    // Whatever a field shows of a number reads back as that number.
    if (std::isfinite(parsed)) {
        const std::string shown = kestrune::NumberToText(parsed);
        const std::optional<double> back = kestrune::TextToNumber(shown);
        if (!back || kestrune::ParseNumber(shown) != *back) std::abort();
    }
    return 0;
}
