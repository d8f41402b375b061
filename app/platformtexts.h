// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The parts of the program's help and start-up messages that name the system it runs on: its
// window systems, where a font comes from, where the manual is. Each system has its own file
// (platformtexts_unix.cpp, platformtexts_win.cpp), chosen by the build.

#include <QString>

namespace kestrune {

// The help's lines on Qt's window-system options (-platform, -display...), each ending in "\n".
QString windowSystemOptionsHelp();

// The window system Qt starts when neither -platform nor QT_QPA_PLATFORM names one; empty where
// the display environment decides (X11 or Wayland).
QString defaultWindowSystem();

// The window systems to name when the chosen one cannot start ("xcb, wayland or offscreen").
QString windowSystemChoices();

// How to get a font the windows can draw with, after "no font is installed to show the windows'
// text; ".
QString fontInstallHint();

// The help's last line: where to read more, ending in "\n".
QString manualHelp();

} // namespace kestrune
