// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rated loads of an escalator: structural, machinery, and brake with the escalator static
// and running, in pounds and kilograms, and the cotangent of the angle of inclination.
//
// The loads of the unit system in use come from its formulas; each result is the text its box
// keeps (7 characters, 8 for the cotangent, cut and not rounded), and each load's twin in the
// other system is converted from that kept text, not from the double. The brake rated load with
// the escalator running is the machinery rated load.

#include "core/checks.h"
#include "core/escalator.h"

#include <optional>
#include <string>

namespace kestrune {

struct LoadFactors {
    double widthAllowance; // added to the step width
    double structural;
    double machinery;
    double brakeStatic;
    double massToOther; // from this system's unit of mass to the other's
};

// Imperial: inches and feet give pounds. Metric: millimetres and metres give kilograms.
inline constexpr LoadFactors kImperialLoads { 8, 4.6, 3.5, 4.6, 0.45359237 };
inline constexpr LoadFactors kMetricLoads { 203, 0.27, 0.21, 0.27, 2.20462262184878 };

inline constexpr const LoadFactors &FactorsOf(UnitSystem system)
{
    return system == UnitSystem::Imperial ? kImperialLoads : kMetricLoads;
}

// Not pi/180: the window's cotangent of 30 degrees is 1.73205080996207 with this factor.
inline constexpr double kRadiansPerDegree = 0.0174532925;

struct LoadInputs {
    double projection; // P
    double rise; // Rt, the rise as the load formulas read it
    double width; // W
    double degrees; // D
    double minutes; // M
};

struct LoadTexts {
    // "Own" is the unit system of the inputs, "other" the twin converted from the own text.
    std::string structuralOwn, structuralOther;
    std::string machineryOwn, machineryOther;
    std::string brakeStaticOwn, brakeStaticOther;
    std::string cotangent;
};

// The loads, or why there are none: a tangent of zero or a value beyond the range of a double
// (NotComputable), or a result that its box would keep only without integer digits or its
// exponent (LoadsTooLarge). Without a refusal, `texts` holds what the result boxes show.
struct LoadOutcome {
    Verdict refusal;
    LoadTexts texts;
};

// Each result as `cut` keeps it in its box.
LoadOutcome ComputeRatedLoads(
    const LoadFactors &factors, const LoadInputs &inputs, const TextCut &cut);

} // namespace kestrune
