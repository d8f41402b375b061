// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The start of the window system. When QApplication cannot open the display, Qt reports it as a
// fatal error and aborts the process (status 134, a core dump where they are kept). While the
// guard stands, that report is turned into one line that says what went wrong and how to start
// Kestrune, and the program ends with ExitCannotStart. Qt's other messages of the start are held
// back and passed on once the display is open, so that a failed start prints only that line.

#include "app/commandline.h"

#include <QtGlobal>

namespace kestrune {

class StartupGuard {
public:
    explicit StartupGuard(const CommandLine &commandLine);
    ~StartupGuard();
    StartupGuard(const StartupGuard &) = delete;
    StartupGuard &operator=(const StartupGuard &) = delete;

    // The display is open: Qt's messages go their usual way again, those held back first.
    void started();
};

// Whether the system offers a font to draw the windows' text with; without one every caption
// would show as empty boxes.
bool hasUsableFont();

} // namespace kestrune
