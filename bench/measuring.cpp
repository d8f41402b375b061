// SPDX-License-Identifier: GPL-3.0-or-later
// Timing one step, and the medians of a benchmark's steps.

#include "bench/measuring.h"

#include "bench/userinput.h"

#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <ctime>

namespace kestrune::interaction {

int failures = 0;
std::string platformTag;
std::map<std::string, double> medians;
std::map<std::string, double> workMedians;

namespace {

using Clock = std::chrono::steady_clock;

double threadMicroseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

} // namespace

// Never inlined, so that a profiler can count exactly the timed steps (valgrind's
// --toggle-collect='*timedStep*').
Q_NEVER_INLINE void timedStep(
    benchmark::State &state, Samples &samples, const std::function<void()> &action)
{
    const double workStart = threadMicroseconds();
    const Clock::time_point start = Clock::now();
    action();
    settle();
    const double elapsed = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    samples.work.push_back(threadMicroseconds() - workStart);
    samples.wall.push_back(elapsed);
    state.SetIterationTime(elapsed / 1e6);
}

void fail(benchmark::State &state, const std::string &what)
{
    ++failures;
    state.SkipWithError(what.c_str());
}

std::string figureName(const std::string &figure, bool floor)
{
    return figure + platformTag + (floor ? "_floor_us" : "_us");
}

namespace {

double medianOf(std::vector<double> &values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

void report(benchmark::State &state, Samples &samples, const std::string &name)
{
    if (samples.wall.empty()) return;
    const double median = medianOf(samples.wall);
    state.counters["median_us"] = median;
    state.counters["min_us"] = samples.wall.front();
    state.counters["max_us"] = samples.wall.back();
    state.counters["work_us"] = medianOf(samples.work);
    medians[name] = median;
    workMedians[name] = state.counters["work_us"];
}

} // namespace kestrune::interaction
