// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Setting up a process that runs Kestrune's windows for the scripted driver and the tests: on Qt's
// offscreen platform, or on a real X display.

namespace kestrune {

// Before the QApplication is created: Qt's offscreen platform, a private runtime directory, and
// the offscreen platform's notices about window-manager requests kept off standard error.
void prepareHeadlessRun();

// Before the QApplication is created, for a run on the real X display named by DISPLAY.
void prepareDesktopRun();

// After the QApplication is created: what a run shows does not depend on the machine's language
// (dates take the US short form).
void configureHeadlessRun();

} // namespace kestrune
