// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One escalator as kestrune-calc receives it, from its options or from a row of a CSV file: the
// texts the user would type into the main window's boxes, and the unit system of those boxes.

#include "core/escalator.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrune {

// `text` without the blanks (spaces, tabs) around it.
std::string_view trimmed(std::string_view text);
// Whether `text` is `name` (written in lower case) in any case, with blanks around or none: how
// a file or the command line names a column or the units.
bool isNamed(std::string_view text, std::string_view name);

std::string_view unitsName(UnitSystem units);
// "imperial" or "metric", in any case and with blanks around; nothing for anything else.
std::optional<UnitSystem> unitsFromName(std::string_view name);

struct EscalatorEntry {
    std::string id;
    UnitSystem units = UnitSystem::Imperial;
    // Imperial: feet, feet, inches. Metric: metres, metres, millimetres.
    std::string projection;
    std::string rise;
    std::string width;
    std::string degrees;
    std::string minutes;
};

// The input columns, in the order the output repeats them.
enum class InputColumn : std::size_t { Id, Units, Projection, Rise, Width, Degrees, Minutes };
inline constexpr std::size_t kInputColumnCount = 7;
inline constexpr std::array<std::string_view, kInputColumnCount> kInputColumnNames { "id", "units",
    "projection", "rise", "width", "degrees", "minutes" };

// What a message calls each column's text: "The total rise ...".
inline constexpr std::array<std::string_view, kInputColumnCount> kInputQuantities {
    "identification", "units", "horizontal projection", "total rise", "step width", "degrees",
    "minutes"
};

inline std::string_view columnName(InputColumn column)
{
    return kInputColumnNames[static_cast<std::size_t>(column)];
}

inline std::string_view quantityName(InputColumn column)
{
    return kInputQuantities[static_cast<std::size_t>(column)];
}

// The columns that hold numbers.
inline constexpr std::array kMeasurementColumns { InputColumn::Projection, InputColumn::Rise,
    InputColumn::Width, InputColumn::Degrees, InputColumn::Minutes };

} // namespace kestrune
