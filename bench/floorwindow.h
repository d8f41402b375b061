// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The floor a figure of Kestrune's is judged against: the same window built from the toolkit's
// plain widgets, drawn with the application's style as Kestrune is. Every line edit, label, button
// and frame of the window is copied with its name, place, size, font, colours and text (a line edit
// also with its length limit, and whether it is read-only), and nothing else: no handlers, no focus
// rules, no picture of its own. The benchmarks then make the floor show the same changes Kestrune
// shows (the same texts in the same boxes) with nothing in between, which is what the toolkit alone
// costs for that step.

class QWidget;

namespace kestrune {

// A new window copying `window` as it looks now.
QWidget *makeFloorWindow(QWidget *window);

} // namespace kestrune
