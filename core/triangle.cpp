// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/triangle.h"

#include "core/numbers.h"

#include <cmath>
#include <optional>

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

// The angle display from the two legs as the side row's boxes show them: A in whole degrees and
// minutes, B its complement, C the right angle. Where none can be shown, the display stays as the
// command's clearing left it, and the row's result stays on show.
std::optional<TriangleFault> showAngles(const TriangleRowRule &row, TriangleBoxes &boxes)
{
    const double a = ParseNumber(boxes.text(row, TriangleQuantity::a));
    const double b = ParseNumber(boxes.text(row, TriangleQuantity::b));
    // The legs as their texts read back, which is how every other step sees a number.
    const double legB = ParseNumber(NumberToText(b));
    const double legA = ParseNumber(NumberToText(a));
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(legA) || !std::isfinite(legB))
        return TriangleFault::tooLarge;
    if (legB == 0) return TriangleFault::anglesUnknown;

    // A in whole minutes: 59.5 minutes and more carry into the next degree, so the display never
    // shows 60 minutes. B is the complement of A as displayed: the two add up to 90 degrees.
    const double angleA = std::atan(legA / legB) * kRadiansToDegrees;
    const double degrees = std::floor(angleA);
    const double minutesA = degrees * 60 + RoundHalfEven((angleA - degrees) * 60, 0);
    const double minutesB = 90 * 60 - minutesA;
    const std::array<double, 6> shown { std::floor(minutesA / 60), std::fmod(minutesA, 60),
        std::floor(minutesB / 60), std::fmod(minutesB, 60), 90, 0 };
    for (std::size_t i = 0; i < shown.size(); ++i)
        boxes.showAngle(i, NumberToText(shown[i]));
    return std::nullopt;
}

} // namespace

// The side rows' formulas keep their own order of operations: row 1 adds two squares, row 2
// multiplies the sum by the difference, row 3 subtracts two squares. The angle rows' take the
// known side and the angle in radians, and form the cotangent as 1 / tan before multiplying.
using enum TriangleQuantity;
const std::array<TriangleRowRule, 9> kTriangleRows { {
    { 1, 0, { a, b }, h,
        [](double a, double b) { return std::sqrt(std::pow(b, 2) + std::pow(a, 2)); }, 0 },
    { 2, 0, { a, h }, b, [](double a, double h) { return std::sqrt((h + a) * (h - a)); }, 0 },
    { 3, 0, { b, h }, a,
        [](double b, double h) { return std::sqrt(std::pow(h, 2) - std::pow(b, 2)); }, 0 },
    { 4, 'A', { a }, b, [](double a, double angle) { return a * (1.0 / std::tan(angle)); }, 1 },
    { 5, 'B', { b }, a, [](double b, double angle) { return b * (1.0 / std::tan(angle)); }, 1 },
    { 6, 'A', { b }, h, [](double b, double angle) { return b / std::cos(angle); }, 3 },
    { 7, 'B', { a }, h, [](double a, double angle) { return a / std::cos(angle); }, 2 },
    { 8, 'A', { h }, a, [](double h, double angle) { return h * std::sin(angle); }, 2 },
    { 9, 'B', { h }, a, [](double h, double angle) { return h * std::cos(angle); }, 2 },
} };

std::size_t TriangleBoxLength(const TriangleRowRule &row, TriangleQuantity quantity)
{
    if (quantity == TriangleQuantity::degrees) return 2;
    if (quantity == row.found) return 0;
    return row.angleRow() ? 6 : 7;
}

Message TriangleMessage(TriangleFault fault)
{
    using enum TriangleFault;
    if (fault == tooLarge)
        return { "Numbers Too Large", "The numbers are too large to compute. Enter smaller sides.",
            Question };
    if (fault == sideTooLong)
        return { "Side Too Long", "The side has more digits than the side field holds.", Question };
    if (fault == anglesUnknown)
        return { "Angles Unknown", "The angles cannot be shown because side b is 0.", Question };
    return { "Right Triangle?", "You no longer have a right triangle.", Question };
}

namespace {

// The command of `row`'s button, and its refusal for the caller to tell.
std::optional<TriangleNotice> run(const TriangleRowRule &row, TriangleBoxes &boxes)
{
    auto refusal = [&row](TriangleFault fault, TriangleQuantity side = TriangleQuantity::a) {
        return TriangleNotice { fault, &row, side };
    };
    // A side row starts by blanking the other two side rows, an angle row all three. Blanking an
    // input that held text runs its change rule, which blanks the angle display too.
    for (const TriangleRowRule &sideRow : kTriangleRows) {
        if (sideRow.angleRow() || &sideRow == &row) continue;
        for (const TriangleQuantity quantity :
            { sideRow.known[0], sideRow.known[1], sideRow.found })
            boxes.write(sideRow, quantity, {});
    }
    auto read = [&](TriangleQuantity quantity) { return ParseNumber(boxes.text(row, quantity)); };
    double value = 0;
    if (row.angleRow()) {
        // Either part may be empty, fractional or negative; minutes are not limited to 0 to 59.
        const double angle = read(TriangleQuantity::degrees) + read(TriangleQuantity::minutes) / 60;
        // Written so that an angle that is not a number at all fails as well.
        if (!(angle >= kLowestAngle && angle <= kHighestAngle))
            return refusal(TriangleFault::angleOutOfBounds);
        value = row.formula(read(row.known[0]), angle * kDegreesToRadians);
    } else {
        const double first = read(row.known[0]);
        const double second = read(row.known[1]);
        if (first <= 0 || second <= 0)
            return refusal(TriangleFault::sideNotPositive, row.known[first <= 0 ? 0 : 1]);
        if (row.known[1] == TriangleQuantity::h && second <= first)
            return refusal(TriangleFault::hypotenuseNotLonger);
        value = row.formula(first, second);
    }
    // The side found, rounded to three decimals. A side beyond the range of a double has no text
    // to show, and the very largest doubles are written as a text that reads back as beyond it:
    // neither may stand in a box.
    const double rounded = RoundHalfEven(value, 3);
    const std::string found = NumberToText(rounded);
    if (!std::isfinite(rounded) || !std::isfinite(ParseNumber(found)))
        return refusal(TriangleFault::tooLarge);
    boxes.write(row, row.found, found);
    if (!row.angleRow()) {
        const std::optional<TriangleFault> fault = showAngles(row, boxes);
        return fault ? std::optional(refusal(*fault)) : std::nullopt;
    }
    // The hand-over: the texts are copied as they stand, in the order of the side row's boxes.
    // Where the side row would not keep a side's magnitude, nothing is copied: the side row
    // stays blank rather than show a number that is not the side.
    const TriangleRowRule &sideRow
        = kTriangleRows.at(static_cast<std::size_t>(row.handsOverTo - 1));
    for (const TriangleQuantity side : sideRow.known) {
        const std::string given = boxes.text(row, side);
        if (!KeepsMagnitude(given, boxes.kept(sideRow, side, given)))
            return refusal(TriangleFault::sideTooLong);
    }
    for (const TriangleQuantity side : sideRow.known)
        boxes.write(sideRow, side, boxes.text(row, side));
    return run(sideRow, boxes);
}

} // namespace

void SolveTriangle(const TriangleRowRule &row, TriangleBoxes &boxes)
{
    if (const std::optional<TriangleNotice> refusal = run(row, boxes)) boxes.tell(*refusal);
}

} // namespace kestrune
