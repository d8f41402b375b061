// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The benchmarks: a keystroke into a measurement box and Calculate by Enter, the steps a user
// waits on, each on Kestrune's window and on its floor.

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace kestrune::interaction {

// One benchmark: a step on Kestrune's window or on its floor.
struct Step {
    std::string name;
    const char *figure;
    bool floor;
    bool keystroke;
    std::function<void(benchmark::State &, QWidget *main, const std::string &)> run;
};

// Every benchmark, each of Kestrune's followed by its floor.
const std::vector<Step> &steps();

// Each figure beside its floor: the wall-clock medians, and the medians of the main thread's
// processor time (the work, without waiting for the X server).
void printTable();

} // namespace kestrune::interaction
