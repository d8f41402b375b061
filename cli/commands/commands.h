// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// kestrune-calc's commands. Each writes its results to `out` and its messages to `err`, and returns
// the exit status: 0 when everything was calculated, 1 when some escalator or the triangle was
// refused. A UsageError or a failure to write leaves the command (the caller answers it with 2).

#include "cli/options.h"

#include <iosfwd>

namespace kestrune {

int RunLoads(const Options &options, std::ostream &out, std::ostream &err);
int RunTriangle(const Options &options, std::ostream &out, std::ostream &err);
// Needs a QGuiApplication (the offscreen platform serves).
int RunReport(const Options &options, std::ostream &err);

} // namespace kestrune
