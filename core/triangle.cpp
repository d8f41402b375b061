// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triangle.h"

#include "core/numbers.h"

#include <cmath>

namespace kestrune {

namespace {

// Degrees to radians. The solver's results are defined with this value, not pi/180: their last
// digits depend on it (sin 30 degrees comes out as 0.49999999614...).
constexpr double kDegreesToRadians = 0.0174532923716197;

// Radians to degrees for the angle display. A little larger than 180/pi, so legs in the ratio of
// a whole angle give a value just above it (legs 1 and 1 give 45.0000000514 degrees) and the
// display shows that angle's whole degrees.
constexpr double kRadiansToDegrees = 57.2957795785523;

// An entered angle is accepted between these bounds, both included.
constexpr double kLowestAngle = 0.0000000001;
constexpr double kHighestAngle = 89.999999999;

// The side rows' formulas, each in its own order of operations: row 1 adds two squares, row 2
// multiplies the sum by the difference, row 3 subtracts two squares.
double hypotenuseFromLegs(double a, double b)
{
    return std::sqrt(std::pow(b, 2) + std::pow(a, 2));
}
double legBFromAAndH(double a, double h)
{
    return std::sqrt((h + a) * (h - a));
}
double legAFromBAndH(double b, double h)
{
    return std::sqrt(std::pow(h, 2) - std::pow(b, 2));
}

// The angle rows' formulas: the known side and the angle in radians. The cotangent is formed as
// 1 / tan before the multiplication.
double timesCotangent(double side, double angle)
{
    return side * (1.0 / std::tan(angle));
}
double overCosine(double side, double angle)
{
    return side / std::cos(angle);
}
double timesSine(double side, double angle)
{
    return side * std::sin(angle);
}
double timesCosine(double side, double angle)
{
    return side * std::cos(angle);
}

Message notARightTriangle()
{
    return { "Right Triangle?", "You no longer have a right triangle.", Question };
}

Message tooLarge()
{
    return { "Numbers Too Large", "The numbers are too large to compute. Enter smaller sides.",
        Question };
}

// A side found: rounded to three decimals. A side beyond the range of a double has no text to
// show, and the very largest doubles are written as a text that reads back as beyond it: neither
// may stand in a box.
RowSolution foundSide(double value)
{
    const double rounded = RoundHalfEven(value, 3);
    std::string text = NumberToText(rounded);
    if (!std::isfinite(rounded) || !std::isfinite(ParseNumber(text))) return { {}, tooLarge() };
    return { std::move(text), std::nullopt };
}

} // namespace

const std::array<TriangleRowRule, 9> kTriangleRows { {
    { 1, false, Vertex::A, { Side::a, Side::b }, Side::h, hypotenuseFromLegs, 0 },
    { 2, false, Vertex::A, { Side::a, Side::h }, Side::b, legBFromAAndH, 0 },
    { 3, false, Vertex::A, { Side::b, Side::h }, Side::a, legAFromBAndH, 0 },
    { 4, true, Vertex::A, { Side::a }, Side::b, timesCotangent, 1 },
    { 5, true, Vertex::B, { Side::b }, Side::a, timesCotangent, 1 },
    { 6, true, Vertex::A, { Side::b }, Side::h, overCosine, 3 },
    { 7, true, Vertex::B, { Side::a }, Side::h, overCosine, 2 },
    { 8, true, Vertex::A, { Side::h }, Side::a, timesSine, 2 },
    { 9, true, Vertex::B, { Side::h }, Side::a, timesCosine, 2 },
} };

RowSolution SolveSideRow(
    const TriangleRowRule &row, std::string_view first, std::string_view second)
{
    const double x = ParseNumber(first);
    const double y = ParseNumber(second);
    // Every side positive, and a hypotenuse longer than the known leg.
    if (x <= 0 || y <= 0 || (row.known[1] == Side::h && y <= x)) return { {}, notARightTriangle() };
    return foundSide(row.formula(x, y));
}

RowSolution SolveAngleRow(const TriangleRowRule &row, std::string_view degrees,
    std::string_view minutes, std::string_view side)
{
    // Either part may be empty, fractional or negative; minutes are not limited to 0 to 59.
    const double angle = ParseNumber(degrees) + ParseNumber(minutes) / 60;
    // Written so that an angle that is not a number at all fails as well.
    if (!(angle >= kLowestAngle && angle <= kHighestAngle)) return { {}, notARightTriangle() };
    return foundSide(row.formula(ParseNumber(side), angle * kDegreesToRadians));
}

std::optional<Message> CheckHandOver(std::string_view first, std::string_view second)
{
    if (CutKeepsMagnitude(first, kSideRowSideLength)
        && CutKeepsMagnitude(second, kSideRowSideLength))
        return std::nullopt;
    return Message { "Side Too Long", "The side has more digits than the side field holds.",
        Question };
}

AngleDisplay ShowAngles(double a, double b)
{
    AngleDisplay out;
    // The legs as their texts read back, which is how every other step sees a number.
    const double legB = ParseNumber(NumberToText(b));
    const double legA = ParseNumber(NumberToText(a));
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(legA) || !std::isfinite(legB)) {
        out.problem = tooLarge();
        return out;
    }
    if (legB == 0) {
        // No angle follows from a horizontal leg of 0.
        out.problem = Message { "Angles Unknown", "The angles cannot be shown because side b is 0.",
            Question };
        return out;
    }

    auto &[aDegrees, aMinutes, bDegrees, bMinutes, cDegrees, cMinutes] = out.texts;
    const double angleA = std::atan(legA / legB) * kRadiansToDegrees;
    const double degrees = std::floor(angleA);
    const double minutes = RoundHalfEven((angleA - degrees) * 60, 0);
    // 59.5 minutes and more carry into the next degree: the display never shows 60 minutes.
    aDegrees = NumberToText(minutes == 60 ? degrees + 1 : degrees);
    aMinutes = minutes == 60 ? "0" : NumberToText(minutes);

    // B is the complement of A as displayed, so the two always add up to 90 degrees 0 minutes.
    const double shownMinutes = TextToNumber(aMinutes).value_or(0);
    const double shownDegrees = TextToNumber(aDegrees).value_or(0);
    bDegrees = NumberToText((shownMinutes == 0 ? 90 : 89) - shownDegrees);
    bMinutes = shownMinutes == 0 ? "0" : NumberToText(60 - shownMinutes);
    cDegrees = "90";
    cMinutes = "0";
    return out;
}

} // namespace kestrune
