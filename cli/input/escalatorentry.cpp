// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/input/escalatorentry.h"

#include <algorithm>
#include <cctype>

namespace kestrune {

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isNamed(std::string_view text, std::string_view name)
{
    text = trimmed(text);
    return std::equal(text.begin(), text.end(), name.begin(), name.end(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

std::string_view unitsName(UnitSystem units)
{
    return units == UnitSystem::Metric ? "metric" : "imperial";
}

std::optional<UnitSystem> unitsFromName(std::string_view name)
{
    if (isNamed(name, unitsName(UnitSystem::Imperial))) return UnitSystem::Imperial;
    if (isNamed(name, unitsName(UnitSystem::Metric))) return UnitSystem::Metric;
    return std::nullopt;
}

} // namespace kestrune
