// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of kestrune against the bare toolkit window (bench/barewindow.cpp): the wall time from
// starting the process until it has painted its main window, the event loop is free and the
// process has ended, and its peak resident memory. All run on the offscreen platform with
// KESTRUNE_QUIT_WHEN_IDLE=1, which makes each quit at that same point. Besides the bare window,
// the bare window with one caption and one menu (`--text`) shows what drawing any text at all
// costs. The three run in rounds, the first of each round taking turns, so that a busy moment of
// the machine falls on all alike.
//
// Usage: kestrune-startup-bench [--runs N] KESTRUNE BAREWINDOW
// Prints, for each program, the median, fastest and slowest time and memory; the ratios, round by
// round, of kestrune over each floor; then the summary lines `startup_ratio` and `memory_ratio`:
// the median over the rounds of kestrune's figure over the bare window's.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <string>
#include <vector>

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

// Starts `program` and waits for its end. The child's standard error goes to `errorLog`, where the
// offscreen platform's notices stay out of the way; it is shown when the child fails.
bool runOnce(const std::vector<std::string> &command, const std::string &errorLog, Run &run)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("kestrune-startup-bench: fork");
        return false;
    }
    if (child == 0) {
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
        std::vector<char *> argv;
        for (const std::string &word : command)
            argv.push_back(const_cast<char *>(word.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        std::perror("exec");
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    if (wait4(child, &status, 0, &usage) < 0) {
        std::perror("kestrune-startup-bench: wait4");
        return false;
    }
    run.milliseconds
        = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count();
    run.peakKilobytes = static_cast<double>(usage.ru_maxrss);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "kestrune-startup-bench: %s failed (status %d); its errors:\n",
            command[0].c_str(), status);
        if (FILE *log = std::fopen(errorLog.c_str(), "r")) {
            char line[512];
            while (std::fgets(line, sizeof line, log))
                std::fputs(line, stderr);
            std::fclose(log);
        }
        return false;
    }
    return true;
}

void printFigures(const char *name, const std::vector<Run> &runs)
{
    std::vector<double> times, memory;
    for (const Run &run : runs) {
        times.push_back(run.milliseconds);
        memory.push_back(run.peakKilobytes);
    }
    std::printf("%-12s start-up ms: median %8.2f  min %8.2f  max %8.2f   "
                "peak memory KiB: median %7.0f  min %7.0f  max %7.0f\n",
        name, median(times), *std::min_element(times.begin(), times.end()),
        *std::max_element(times.begin(), times.end()), median(memory),
        *std::min_element(memory.begin(), memory.end()),
        *std::max_element(memory.begin(), memory.end()));
}

// The ratios of one program's figures over another's, run by run of the same round.
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
    std::printf("%-26s start-up: median %.3f  min %.3f  max %.3f   memory: median %.3f  min %.3f  "
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
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            programs.emplace_back(argv[i]);
    }
    if (programs.size() != 2) {
        std::fputs("usage: kestrune-startup-bench [--runs N] KESTRUNE BAREWINDOW\n", stderr);
        return 2;
    }

    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("KESTRUNE_QUIT_WHEN_IDLE", "1", 1);
    // A private runtime folder keeps Qt from warning about a missing one, in every run alike.
    char runtimeDir[] = "/tmp/kestrune-startup-XXXXXX";
    if (!mkdtemp(runtimeDir)) {
        std::perror("kestrune-startup-bench: mkdtemp");
        return 1;
    }
    setenv("XDG_RUNTIME_DIR", runtimeDir, 1);
    const std::string errorLog = std::string(runtimeDir) + "/stderr.log";

    // The bare window, and the bare window with one caption and one menu: the floors.
    const std::vector<std::string> commands[] = {
        { programs[0] },
        { programs[1] },
        { programs[1], "--text" },
    };
    constexpr std::size_t kCount = std::size(commands);

    // One run of each, not counted: the first start reads the libraries and fonts from disk.
    Run warmUp;
    bool ok = true;
    for (const auto &command : commands)
        ok = ok && runOnce(command, errorLog, warmUp);

    // Each round runs the three once, the first of the round taking turns.
    std::vector<Run> results[kCount];
    for (int round = 0; ok && round < runs; ++round) {
        for (std::size_t i = 0; ok && i < kCount; ++i) {
            const std::size_t which = (static_cast<std::size_t>(round) + i) % kCount;
            Run run;
            ok = runOnce(commands[which], errorLog, run);
            results[which].push_back(run);
        }
    }
    unlink(errorLog.c_str());
    rmdir(runtimeDir);
    if (!ok) return 1;

    std::printf("start-up, %d runs of each, taking turns, offscreen:\n", runs);
    printFigures("kestrune", results[0]);
    printFigures("bare window", results[1]);
    printFigures("bare + text", results[2]);
    const Ratios overBare = ratios(results[0], results[1]);
    const Ratios overText = ratios(results[0], results[2]);
    const Ratios textOverBare = ratios(results[2], results[1]);
    printRatios("kestrune / bare window", overBare);
    printRatios("kestrune / bare + text", overText);
    printRatios("bare + text / bare window", textOverBare);
    std::printf("\n");
    std::printf("startup_ratio %.3f\n", median(overBare.time));
    std::printf("memory_ratio %.3f\n", median(overBare.memory));
    return 0;
}
