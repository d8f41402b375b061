// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's invariants, checked after every action of a random session: text boxes hold one
// line of whole characters within their length, handling never nests without end, the main
// window's results are all shown or none and are exactly those of the measurements shown, and the
// triangle's angle display adds up to a right-angled triangle.

#include <QString>
#include <QStringList>

#include <optional>

namespace kestrune {

class MainWindow;
class ScriptSession;

namespace sessionfuzz {

// How often the checks found results to check, for the summary.
extern long long g_withLoads;
extern long long g_withAngles;

// What the main window showed before an action: its measurements, angle and unit system, and
// whether results were shown.
struct MainSnapshot {
    QStringList inputs;
    bool resultsFilled = false;
};

MainSnapshot snapshot(const MainWindow &window);

// The first invariant the session now breaks, if any; `before` is the main window before the
// action.
std::optional<QString> checkInvariants(ScriptSession &session, const MainSnapshot &before);

} // namespace sessionfuzz
} // namespace kestrune
