// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's commands, written once for every program that holds the escalator's boxes.
// A command reads and writes the boxes in a fixed order, and each write runs the written box's
// change handling to its end before the command goes on, so a later step reads what the box kept
// and what that handling did. The main window plays the commands on its text boxes,
// kestrune-calc on a row of texts.

#include "core/checks.h"
#include "core/escalator.h"

#include <string>
#include <string_view>

namespace kestrune {

// The escalator's boxes as a program holds them. cut() keeps a text's first characters as the
// user counts them, the one way every box and every length check of the commands counts.
class EscalatorBoxes : public TextCut {
public:
    // The unit system the user types into; the other column shows the conversions.
    virtual UnitSystem source() const = 0;
    virtual std::string text(Box box) const = 0;
    // The box keeps the first BoxLength(box) characters of `text`; when that changes its text,
    // BoxChanged(*this, box) runs before the write returns. The same text again runs nothing.
    virtual void write(Box box, std::string_view text) = 0;
    // A message for the user, with its reason and the box it is about; the command goes on once
    // it has been closed.
    virtual void tell(const Verdict &verdict) = 0;
    virtual void focus(Box box) = 0;
};

// The change handling of `box`: a measurement of the source system writes its twin; any change
// of a measurement or of the angle blanks the results; a change of the angle checks it at once.
// The results, the cotangent and the identification have none.
void BoxChanged(EscalatorBoxes &boxes, Box box);

void ClearAnswers(EscalatorBoxes &boxes); // blanks the nine results
// Leaving an angle box, and the first step of Calculate: a refused angle is told and put back to
// 30 degrees 0 minutes, and the focus goes through the minutes to the degrees.
void RunAngleCheck(EscalatorBoxes &boxes);

// Leaving the width box of `system`, and Calculate after the presence check: a width out of range
// is told and the focus returns to the box, if the user may edit it.
void RunStepWidthCheck(EscalatorBoxes &boxes, UnitSystem system);

// Checks the angle, the presence of the four measurements and the step width, then writes the
// nine results, each pair's own system first, or tells why there are none.
void Calculate(EscalatorBoxes &boxes);

// Blanks every measurement and result, puts back 30 degrees with empty minutes, and gives the
// source projection the focus. The identification stays.
void Clear(EscalatorBoxes &boxes);

// Each measurement of the source system converted into its twin afresh, as after a switch of the
// unit system.
void ConvertMeasurements(EscalatorBoxes &boxes);

} // namespace kestrune
