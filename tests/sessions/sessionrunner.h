// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Running random sessions and scripts with the invariants checked after every action, shrinking a
// failing script to the shortest that still fails, and reporting it; and the script that was
// running, printed should the process die.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace kestrune::sessionfuzz {

using Script = std::vector<QString>;

struct Failure {
    QString what;
    std::size_t line; // index of the action after which it was found
    bool scriptError = false; // the script itself was at fault, not the program
};

// Prints the script being run, for the report when the process dies.
void printRunningScript();
extern "C" void onFatalSignal(int signal);

// Runs a script in a fresh session; the first broken invariant, if any.
std::optional<Failure> runScript(const Script &script);

// Generates and runs one session at once (the generator looks at the open windows).
std::pair<Script, std::optional<Failure>> runGenerated(std::uint64_t seed, int actions);

// Prints the failure and the shortest script found that still fails; returns 1.
int report(std::uint64_t seed, const Script &script, const Failure &failure);

} // namespace kestrune::sessionfuzz
