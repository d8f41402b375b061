// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Measuring the steps: each step timed on its own, on the wall clock and on the main thread's
// processor time, and each benchmark's medians kept by figure name for the table and the summary.

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kestrune::interaction {

extern int failures;
// "_x11" on a real X server.
extern std::string platformTag;
// The median of each benchmark's last run, by figure name.
extern std::map<std::string, double> medians;
// The median of each benchmark's main-thread processor time per step, by figure name.
extern std::map<std::string, double> workMedians;

// The times of a benchmark's steps: on the wall clock (what the user waits for) and on the clock
// of the main thread's processor time (the work done, leaving out waiting for an X server).
struct Samples {
    std::vector<double> wall;
    std::vector<double> work;
    explicit Samples(const benchmark::State &state)
    {
        wall.reserve(static_cast<std::size_t>(state.max_iterations));
        work.reserve(static_cast<std::size_t>(state.max_iterations));
    }
};

// Times one step: the action and everything it leaves for the event loop, repaints included.
void timedStep(benchmark::State &state, Samples &samples, const std::function<void()> &action);

// Marks the benchmark as failed with `what`, and counts the failure for the exit status.
void fail(benchmark::State &state, const std::string &what);
// The name of a figure in the summary ("keystroke_floor_us", "_x11" on a real X server).
std::string figureName(const std::string &figure, bool floor);
// Sets the medians of a benchmark's steps as its counters and keeps them under `name`.
void report(benchmark::State &state, Samples &samples, const std::string &name);

} // namespace kestrune::interaction
