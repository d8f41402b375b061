// SPDX-License-Identifier: GPL-3.0-or-later
// How fast Kestrune answers the user: a keystroke into a measurement box and Calculate by Enter,
// from the input to the repaint. Each is driven as the user does it (controls found by name, keys
// and mouse buttons sent to them), with everything it repaints counted in. Each figure stands
// beside its floor: the same window built from the toolkit's plain widgets (bench/floorwindow.h),
// showing the same texts in the same boxes with no handling of its own.
//
// Every step is timed on its own; a figure is the median step in microseconds (`median_us`, with
// `min_us` and `max_us`). On a real X server (QT_QPA_PLATFORM=xcb) the figures are named with
// `_x11`. After the run a table sets each figure beside its floor, then the summary follows, one
// figure a line, for bench/run.sh to collect.
//
// Options besides Google Benchmark's:
//   --smoke           a few steps of each, failing when a step did not do what it should (a message
//                     box came up, a box holds the wrong text, nothing was repainted);
//   --steps N         N steps of each benchmark (for a profiler).

#include "bench/measuring.h"
#include "bench/rehearsal.h"
#include "bench/steps.h"
#include "bench/userinput.h"
#include "mainwindow/mainwindow.h"
#include "tools/recordingservices.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace kestrune {
namespace {

// The one place that names a window class of Kestrune's: everything else finds the windows and
// their controls by name.
QWidget *openMainWindow(Services &services)
{
    return new MainWindow(services);
}

bool smoke = false;

} // namespace
} // namespace kestrune

int main(int argc, char *argv[])
{
    using namespace kestrune;
    using namespace kestrune::interaction;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    benchmark::Initialize(&argc, argv);
    long stepCount = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0) {
            smoke = true;
        } else if (std::strcmp(argv[i], "--steps") == 0 && i + 1 < argc) {
            stepCount = std::max(1L, std::atol(argv[++i]));
        } else {
            std::fprintf(stderr, "kestrune-bench: unknown argument %s\n", argv[i]);
            return 2;
        }
    }

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) platformTag = "_x11";
    Bench state;
    bench = &state;
    state.services
        = std::make_unique<RecordingServices>([&state](const QString &) { ++state.messages; });
    state.main = openMainWindow(*state.services);
    state.main->setAttribute(Qt::WA_DeleteOnClose);
    state.main->show();
    activate(state.main);
    rehearse();
    makeFloors();

    const long keystrokes = stepCount ? stepCount : smoke ? 20 : 4000;
    const long commands = stepCount ? stepCount : smoke ? 10 : 2000;
    for (const Step &step : steps()) {
        const std::string name = figureName(step.figure, step.floor);
        const Step *registered = &step;
        benchmark::RegisterBenchmark(step.name.c_str(),
            [registered, name](benchmark::State &s) {
                registered->run(s, registered->floor ? bench->mainFloor : bench->main, name);
            })
            ->Iterations(step.keystroke ? keystrokes : commands)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    printTable();
    std::printf("\n");
    for (const auto &[name, median] : medians)
        std::printf("%s %.3f\n", name.c_str(), median);

    delete state.mainFloor.data();
    delete state.main.data();
    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
