// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of kestrune against the toolkit's floors (bench/barewindow.cpp): the wall time from
// starting the process until its window has been painted for the first time, and its peak
// resident memory at that moment. The marker is bench/firstpaint.cpp, loaded into every program
// alike; each program quits right after it. All run on the offscreen platform.
//
// The programs, in rounds, the first of each round taking turns so that a busy moment of the
// machine falls on all alike:
//   kestrune;
//   the bare window (an empty main window of Kestrune's size);
//   the one-caption window (the same with one caption and one menu): a window that draws any
//     text pays for the same font machinery as Kestrune, so this is the floor for start-up.
//
// With --compare, another build of kestrune (before a change, say) runs in the same rounds and
// the two are compared round by round.
//
// Usage: kestrune-startup-bench [--runs N] [--compare OTHER-KESTRUNE] KESTRUNE BAREWINDOW
// Prints each program's figures, the ratios round by round, then the summary lines
// `startup_ratio` and `memory_ratio` (kestrune over the one-caption window) and
// `startup_bare_ratio` and `memory_bare_ratio` (kestrune over the bare window): medians over
// the rounds.

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <vector>

#ifndef KESTRUNE_FIRST_PAINT_PROBE
#error "KESTRUNE_FIRST_PAINT_PROBE names the library with the first-paint marker"
#endif

namespace {

struct Run {
    double milliseconds = 0;
    double peakKilobytes = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double secondsOf(const timespec &t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void showErrors(const std::string &errorLog)
{
    if (FILE *log = std::fopen(errorLog.c_str(), "r")) {
        char line[512];
        while (std::fgets(line, sizeof line, log))
            std::fputs(line, stderr);
        std::fclose(log);
    }
}

// Starts `command` with the first-paint marker loaded and waits for its end. The child's
// standard error goes to `errorLog`, shown when the child fails.
bool runOnce(const std::vector<std::string> &command, const std::string &errorLog, Run &run)
{
    int marker[2];
    if (pipe(marker) != 0) {
        std::perror("kestrune-startup-bench: pipe");
        return false;
    }
    timespec start {};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("kestrune-startup-bench: fork");
        return false;
    }
    if (child == 0) {
        close(marker[0]);
        const int log = open(errorLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (log >= 0) {
            dup2(log, STDERR_FILENO);
            close(log);
        }
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            close(null);
        }
        setenv("KESTRUNE_FIRST_PAINT_FD", std::to_string(marker[1]).c_str(), 1);
        setenv("LD_PRELOAD", KESTRUNE_FIRST_PAINT_PROBE, 1);
        std::vector<char *> argv;
        argv.reserve(command.size() + 1);
        for (const std::string &word : command)
            argv.push_back(const_cast<char *>(word.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        std::perror("exec");
        _exit(127);
    }
    close(marker[1]);
    std::string said;
    char buffer[256];
    ssize_t got = 0;
    while ((got = read(marker[0], buffer, sizeof buffer)) > 0)
        said.append(buffer, static_cast<std::size_t>(got));
    close(marker[0]);
    int status = 0;
    if (waitpid(child, &status, 0) < 0) {
        std::perror("kestrune-startup-bench: waitpid");
        return false;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "kestrune-startup-bench: %s failed (status %d); its errors:\n",
            command[0].c_str(), status);
        showErrors(errorLog);
        return false;
    }
    long long seconds = 0;
    long nanoseconds = 0, peak = 0, resident = 0;
    if (std::sscanf(
            said.c_str(), "first-paint %lld %ld %ld %ld", &seconds, &nanoseconds, &peak, &resident)
            != 4
        || peak <= 0) {
        std::fprintf(stderr, "kestrune-startup-bench: %s ended without painting a window\n",
            command[0].c_str());
        showErrors(errorLog);
        return false;
    }
    const timespec painted { static_cast<time_t>(seconds), nanoseconds };
    run.milliseconds = (secondsOf(painted) - secondsOf(start)) * 1000;
    run.peakKilobytes = static_cast<double>(peak);
    return true;
}

void printFigures(const char *name, const std::vector<Run> &runs)
{
    std::vector<double> times, memory;
    for (const Run &run : runs) {
        times.push_back(run.milliseconds);
        memory.push_back(run.peakKilobytes);
    }
    std::printf("%-30s first paint ms: median %7.2f  min %7.2f  max %7.2f   "
                "peak memory KiB: median %6.0f  min %6.0f  max %6.0f\n",
        name, median(times), *std::min_element(times.begin(), times.end()),
        *std::max_element(times.begin(), times.end()), median(memory),
        *std::min_element(memory.begin(), memory.end()),
        *std::max_element(memory.begin(), memory.end()));
}

// One program's figures over another's, run by run of the same round.
struct Ratios {
    std::vector<double> time, memory;
};

Ratios ratios(const std::vector<Run> &top, const std::vector<Run> &bottom)
{
    Ratios result;
    for (std::size_t i = 0; i < top.size() && i < bottom.size(); ++i) {
        result.time.push_back(top[i].milliseconds / bottom[i].milliseconds);
        result.memory.push_back(top[i].peakKilobytes / bottom[i].peakKilobytes);
    }
    return result;
}

void printRatios(const char *name, const Ratios &r)
{
    std::printf("%-40s time: median %.3f  min %.3f  max %.3f   memory: median %.3f  min %.3f  "
                "max %.3f\n",
        name, median(r.time), *std::min_element(r.time.begin(), r.time.end()),
        *std::max_element(r.time.begin(), r.time.end()), median(r.memory),
        *std::min_element(r.memory.begin(), r.memory.end()),
        *std::max_element(r.memory.begin(), r.memory.end()));
}

} // namespace

int main(int argc, char *argv[])
{
    int runs = 30;
    std::vector<std::string> programs;
    std::string other;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--compare") == 0 && i + 1 < argc)
            other = argv[++i];
        else
            programs.emplace_back(argv[i]);
    }
    if (programs.size() != 2) {
        std::fputs("usage: kestrune-startup-bench [--runs N] [--compare OTHER-KESTRUNE] KESTRUNE "
                   "BAREWINDOW\n",
            stderr);
        return 2;
    }

    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // A private runtime folder keeps Qt from warning about a missing one, in every run alike.
    char runtimeDir[] = "/tmp/kestrune-startup-XXXXXX";
    if (!mkdtemp(runtimeDir)) {
        std::perror("kestrune-startup-bench: mkdtemp");
        return 1;
    }
    setenv("XDG_RUNTIME_DIR", runtimeDir, 1);
    const std::string errorLog = std::string(runtimeDir) + "/stderr.log";

    std::vector<std::vector<std::string>> commands = {
        { programs[0] },
        { programs[1] },
        { programs[1], "--text" },
    };
    const std::size_t compared = other.empty() ? 0 : commands.size();
    if (compared) commands.push_back({ other });
    const std::size_t count = commands.size();

    // One run of each, not counted: the first start reads the libraries and fonts from disk.
    Run warmUp;
    bool ok = true;
    for (const auto &command : commands)
        ok = ok && runOnce(command, errorLog, warmUp);

    std::vector<std::vector<Run>> results(count);
    for (int round = 0; ok && round < runs; ++round) {
        for (std::size_t i = 0; ok && i < count; ++i) {
            const std::size_t which = (static_cast<std::size_t>(round) + i) % count;
            Run run;
            ok = runOnce(commands[which], errorLog, run);
            results[which].push_back(run);
        }
    }
    unlink(errorLog.c_str());
    rmdir(runtimeDir);
    if (!ok) return 1;

    std::printf("start-up to the first paint, %d runs of each, taking turns, offscreen:\n", runs);
    printFigures("kestrune", results[0]);
    printFigures("bare window", results[1]);
    printFigures("one-caption window", results[2]);
    if (compared) printFigures("other kestrune", results[compared]);
    const Ratios overText = ratios(results[0], results[2]);
    const Ratios overBare = ratios(results[0], results[1]);
    printRatios("kestrune / one-caption window", overText);
    printRatios("kestrune / bare window", overBare);
    printRatios("one-caption window / bare window", ratios(results[2], results[1]));
    if (compared) {
        printRatios("kestrune / other kestrune", ratios(results[0], results[compared]));
        printRatios("other kestrune / one-caption window", ratios(results[compared], results[2]));
    }
    std::printf("\n");
    std::printf("startup_ratio %.3f\n", median(overText.time));
    std::printf("startup_bare_ratio %.3f\n", median(overBare.time));
    std::printf("memory_ratio %.3f\n", median(overText.memory));
    std::printf("memory_bare_ratio %.3f\n", median(overBare.memory));
    return 0;
}
