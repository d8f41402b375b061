// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/escalator.h"

#include <algorithm>
#include <cctype>

namespace kestrune {

std::string_view unitsName(UnitSystem units)
{
    return units == UnitSystem::Metric ? "metric" : "imperial";
}

std::optional<UnitSystem> unitsFromName(std::string_view name)
{
    const std::size_t first = name.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    name = name.substr(first, name.find_last_not_of(" \t") - first + 1);
    auto is = [name](std::string_view word) {
        return std::equal(name.begin(), name.end(), word.begin(), word.end(),
            [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    };
    if (is("imperial")) return UnitSystem::Imperial;
    if (is("metric")) return UnitSystem::Metric;
    return std::nullopt;
}

} // namespace kestrune
