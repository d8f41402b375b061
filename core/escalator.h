// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The escalator's measurements as the main window holds them: every quantity is the text of a
// box, each box keeps only so many characters, and one unit system at a time is the source that
// the user types into.

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrune {

// Imperial: feet and inches, giving pounds. Metric: metres and millimetres, giving kilograms.
enum class UnitSystem { Imperial, Metric };

inline constexpr UnitSystem OtherSystem(UnitSystem system)
{
    return system == UnitSystem::Imperial ? UnitSystem::Metric : UnitSystem::Imperial;
}

// Most characters a box keeps; a longer text is cut, never rounded.
inline constexpr std::size_t kIdentificationLength = 30;
inline constexpr std::size_t kMeasurementLength = 7; // projection, rise and width, either system
inline constexpr std::size_t kAngleLength = 2; // degrees, and minutes
inline constexpr std::size_t kLoadFieldLength = 7;
inline constexpr std::size_t kCotangentFieldLength = 8;

// The angle the window opens with, and puts back when it refuses one.
inline constexpr std::string_view kStartDegrees = "30";
inline constexpr std::string_view kStartMinutes = "0";

// The five texts a calculation reads: the three measurements of the unit system in use and the
// angle of inclination, each as its box holds it.
struct LoadInputTexts {
    std::string projection;
    std::string rise;
    std::string width;
    std::string degrees;
    std::string minutes;
};

} // namespace kestrune
