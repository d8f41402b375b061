// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The right-angled triangle solver. A, B and C are the vertices, C the right angle; a, b and h
// are the sides opposite them, so a and b are the legs and h the hypotenuse (tan A = a / b).
//
// Nine rows, top to bottom as the triangle window shows them. Rows 1 to 3 (side rows) know two
// sides and find the third, then show the angles from the two legs. Rows 4 to 9 (angle rows) know
// an acute angle, in degrees and minutes, and one side; they find another side and hand both
// sides over to the side row that knows that pair, which finishes the solve. Every side found is
// rounded to three decimals, and every later step reads the sides as their texts show them.

#include "core/messages.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kestrune {

enum class Side { a, b, h };
enum class Vertex { A, B };

struct TriangleRowRule {
    int number; // 1 to 9, top to bottom
    bool angleRow;
    Vertex angle; // angle rows: the acute angle known
    // Side rows: the two sides known, in the order of their boxes. Angle rows: known[0] alone.
    std::array<Side, 2> known;
    Side found;
    // Side rows: from the two known sides. Angle rows: from the known side and the angle in
    // radians.
    double (*formula)(double, double);
    int handsOverTo; // angle rows: the side row that finishes the solve
};

extern const std::array<TriangleRowRule, 9> kTriangleRows;

// Most characters a box of the triangle window holds; results and the angle display hold any.
inline constexpr std::size_t kSideRowSideLength = 7;
inline constexpr std::size_t kAngleRowSideLength = 6;
inline constexpr std::size_t kTriangleDegreesLength = 2;
inline constexpr std::size_t kTriangleMinutesLength = 6;

// The side a row finds, as its result box shows it, or why there is none.
struct RowSolution {
    std::string text;
    std::optional<Message> problem;
};

RowSolution SolveSideRow(
    const TriangleRowRule &row, std::string_view first, std::string_view second);
RowSolution SolveAngleRow(const TriangleRowRule &row, std::string_view degrees,
    std::string_view minutes, std::string_view side);

// Whether the side row's boxes keep the texts an angle row hands over to them: losing decimals is
// accepted, losing whole digits or the exponent would make the side row solve a side ten, a
// thousand or 10^15 times too small.
std::optional<Message> CheckHandOver(std::string_view first, std::string_view second);

// The angle display from the two legs: A, B and C in whole degrees and minutes, in the order
// A degrees, A minutes, B degrees, B minutes, C degrees, C minutes; or why no angle can be shown.
struct AngleDisplay {
    std::array<std::string, 6> texts;
    std::optional<Message> problem;
};

AngleDisplay ShowAngles(double a, double b);

} // namespace kestrune
