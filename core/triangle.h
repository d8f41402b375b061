// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The right-angled triangle solver. A, B and C are the vertices, C the right angle; a, b and h
// are the sides opposite them (tan A = a / b). Nine rows, top to bottom as the window shows them:
// side rows (1 to 3) know two sides, find the third and show the angles from the legs; angle rows
// (4 to 9) know an acute angle, in degrees and minutes, and a side, find another side and hand
// both over to the side row that knows that pair. Each row's command is written once, here, on
// TriangleBoxes: the window plays it on its text boxes, kestrune-calc on a row of texts.

#include "core/messages.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrune {

// What a row's box holds: one of the three sides, each named by its letter, or an angle row's
// degrees or minutes.
enum class TriangleQuantity : char { a = 'a', b = 'b', h = 'h', degrees, minutes };

struct TriangleRowRule {
    int number; // 1 to 9, top to bottom
    char vertex; // angle rows: the acute angle known, 'A' or 'B'; side rows: 0
    // Side rows: the two sides known, in the order of their boxes. Angle rows: known[0] alone.
    std::array<TriangleQuantity, 2> known;
    TriangleQuantity found;
    double (*formula)(double, double); // from the known sides, or the side and angle in radians
    int handsOverTo; // angle rows: the side row that finishes the solve

    bool angleRow() const { return vertex != 0; }
};

extern const std::array<TriangleRowRule, 9> kTriangleRows;

// Most characters a row's box holds; 0 for a result box, which holds any text.
std::size_t TriangleBoxLength(const TriangleRowRule &row, TriangleQuantity quantity);

// Why a command stopped, or showed no angles. TriangleMessage gives the message the window shows.
enum class TriangleFault {
    angleOutOfBounds, // the angle row's angle is not above 0 and below 90 degrees
    sideNotPositive, // the side row's side `side` is not above 0
    hypotenuseNotLonger, // the side row's hypotenuse is not longer than its known leg
    tooLarge, // a side found, or a leg, lies beyond the range of a double
    sideTooLong, // a side handed over would lose whole digits or its exponent in the side row
    anglesUnknown, // no angle follows from a side b of 0; the side found stands
};

struct TriangleNotice {
    TriangleFault fault;
    const TriangleRowRule *row; // the row whose command refused
    TriangleQuantity side; // sideNotPositive: the side at fault
};
Message TriangleMessage(TriangleFault fault);

// The triangle's boxes as the commands see them: each row's boxes by quantity, and the angle
// display (A, B and C, each in degrees and minutes).
class TriangleBoxes {
public:
    virtual std::string text(const TriangleRowRule &row, TriangleQuantity quantity) const = 0;
    // What the box would keep of `text`: as many of its first characters as the box holds.
    virtual std::string kept(
        const TriangleRowRule &row, TriangleQuantity quantity, std::string_view text) const = 0;
    // Sets the box to what it keeps of `text`; the box's change handling has run on return.
    virtual void write(const TriangleRowRule &row, TriangleQuantity quantity, std::string_view text)
        = 0;
    // Sets box `index` of the angle display: A degrees, A minutes, B degrees... C minutes.
    virtual void showAngle(std::size_t index, std::string_view text) = 0;
    virtual void tell(const TriangleNotice &notice) = 0;

protected:
    ~TriangleBoxes() = default;
};

// The command of `row`'s button: the other side rows blanked, the side found written, then the
// angles shown or the hand-over made and its side row's command run. A refusal is told and ends
// the command.
void SolveTriangle(const TriangleRowRule &row, TriangleBoxes &boxes);

} // namespace kestrune
