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

// The quantities shown twice, once in each unit system: the three measurements, then the loads.
enum class Quantity { Projection, Rise, Width, Structural, Machinery, BrakeStatic, BrakeRunning };
inline constexpr Quantity kMeasurements[]
    = { Quantity::Projection, Quantity::Rise, Quantity::Width };

// The main window's boxes: each quantity's twins, imperial then metric, then the rest.
enum class Box {
    ProjectionImperial,
    ProjectionMetric,
    RiseImperial,
    RiseMetric,
    WidthImperial,
    WidthMetric,
    StructuralImperial,
    StructuralMetric,
    MachineryImperial,
    MachineryMetric,
    BrakeStaticImperial,
    BrakeStaticMetric,
    BrakeRunningImperial,
    BrakeRunningMetric,
    Degrees,
    Minutes,
    Cotangent,
    Identification
};
inline constexpr std::size_t kBoxCount = 18;

inline constexpr Box BoxOf(Quantity quantity, UnitSystem system)
{
    return static_cast<Box>(2 * static_cast<int>(quantity) + static_cast<int>(system));
}

// Which quantity a twin box shows, and in which unit system.
inline constexpr bool IsTwin(Box box)
{
    return box < Box::Degrees;
}
inline constexpr Quantity QuantityOf(Box box)
{
    return static_cast<Quantity>(static_cast<int>(box) / 2);
}
inline constexpr UnitSystem SystemOf(Box box)
{
    return static_cast<UnitSystem>(static_cast<int>(box) % 2);
}

// Most characters a box keeps; a longer text is cut, never rounded.
inline constexpr std::size_t kIdentificationLength = 30;
inline constexpr std::size_t kMeasurementLength = 7; // projection, rise and width, either system
inline constexpr std::size_t kAngleLength = 2; // degrees, and minutes
inline constexpr std::size_t kLoadFieldLength = 7;
inline constexpr std::size_t kCotangentFieldLength = 8;

// By Box.
inline constexpr std::size_t kBoxLengths[kBoxCount] = { kMeasurementLength, kMeasurementLength,
    kMeasurementLength, kMeasurementLength, kMeasurementLength, kMeasurementLength,
    kLoadFieldLength, kLoadFieldLength, kLoadFieldLength, kLoadFieldLength, kLoadFieldLength,
    kLoadFieldLength, kLoadFieldLength, kLoadFieldLength, kAngleLength, kAngleLength,
    kCotangentFieldLength, kIdentificationLength };

inline constexpr std::size_t BoxLength(Box box)
{
    return kBoxLengths[static_cast<std::size_t>(box)];
}

// What keeps the first characters of a text as a box does, counting characters as the user sees
// them (an accented letter made of two code points is one): the programs give the core theirs.
class TextCut {
public:
    virtual ~TextCut() = default;
    virtual std::string cut(std::string_view text, std::size_t length) const = 0;
};

// The angle the window opens with, and puts back when it refuses one.
inline constexpr std::string_view kStartDegrees = "30";
inline constexpr std::string_view kStartMinutes = "0";

// The five texts a calculation reads: the three measurements of the unit system in use and the
// angle of inclination, each as its box holds it.
struct LoadInputTexts {
    std::string projection, rise, width, degrees, minutes;
};

} // namespace kestrune
