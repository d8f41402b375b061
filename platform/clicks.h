// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Clicks that a message box interrupted.
//
// A mouse press first moves the focus to the control under the pointer, and only then reaches
// the control. When the focus change runs a check that shows a message box, the box is shown
// while the button is still down; the user lets go of the button over the box (or answers it),
// and that release is delivered to the box, not to the control. Without more, the control would
// get its press after the box is closed and wait for a release that never comes: a button would
// stay drawn pressed and its command would never run, a text box would lose the selection its
// focus handling made.
//
// Each control therefore finishes such a click itself: when its press arrives with the mouse
// button already up, it is sent the release the user made, right after the press.

class QMouseEvent;
class QWidget;

namespace kestrune {

// To be called at the end of `control`'s handling of `press`.
void finishClickIfReleaseLost(QWidget *control, const QMouseEvent *press);

} // namespace kestrune
