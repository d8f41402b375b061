// SPDX-License-Identifier: GPL-3.0-or-later
// kestrune-calc-bench [--rows N] [--runs N] KESTRUNE-CALC: how fast a fleet goes through
// kestrune-calc. Writes a CSV file of N escalators (100,000 by default; both unit systems, with
// the share of warnings and refusals a real fleet has), then times, best of the runs:
// - reading it alone: the CSV reader and the fleet's columns, in this process, nothing calculated;
// - the whole program, `kestrune-calc loads --csv FILE --format F > /dev/null`, for each format:
//   start, read, calculate, write, as the user waits for it.
// Each is given as wall time and as processor time, which other work on the machine disturbs less,
// and as rows a second; `calc_F_ratio` is the whole program's time over reading alone, its floor,
// measured in the same run.
// The lines give one figure each, so runs can be compared.

#include "cli/input/csvreader.h"
#include "cli/input/fleet.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>

namespace {

using Clock = std::chrono::steady_clock;

std::string fleetCsv(int rows)
{
    std::mt19937 random(15);
    auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    auto whole = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out << "id,units,projection,rise,width,degrees,minutes\n";
    for (int row = 1; row <= rows; ++row) {
        const bool metric = row % 2 == 0;
        out << "Unit " << row << (metric ? ",metric," : ",imperial,");
        out.precision(metric ? 3 : 2);
        out << (metric ? uniform(1.5, 75) : uniform(5, 250)) << ',';
        out << (metric ? uniform(1, 25) : uniform(3, 80)) << ',';
        out.precision(1);
        // About one width in ten is out of range and warned about.
        out << (metric ? uniform(520, 1060) : uniform(20.5, 41.5)) << ',';
        // About one angle in a hundred is refused.
        out << (whole(0, 99) == 0 ? 35 : whole(25, 30)) << ',' << whole(0, 59) << '\n';
    }
    return out.str();
}

double readAlone(const std::string &path, std::size_t &rows)
{
    std::ifstream in(path, std::ios::binary);
    std::string chunk(std::size_t { 256 } * 1024, '\0');
    const Clock::time_point start = Clock::now();
    rows = 0;
    std::optional<kestrune::FleetLayout> layout;
    kestrune::CsvReader reader([&](kestrune::CsvRecord &record) {
        if (!layout) {
            layout.emplace(record, ',', kestrune::UnitSystem::Imperial);
            return;
        }
        const kestrune::FleetRow row = layout->read(record);
        rows += row.problem ? 0 : 1;
    });
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0)
        reader.feed(std::string_view(chunk.data(), static_cast<std::size_t>(in.gcount())));
    reader.finish();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Timing {
    double wall = 1e9; // seconds the user waits
    double processor = 1e9; // seconds of processor time, which other work on the machine slows less
};

double childProcessorSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval &time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

Timing wholeProgram(const std::string &calc, const std::string &path, const std::string &format)
{
    const std::string command
        = "'" + calc + "' loads --csv '" + path + "' --format " + format + " >/dev/null 2>&1";
    const double processorBefore = childProcessorSeconds();
    const Clock::time_point start = Clock::now();
    const int status = std::system(command.c_str());
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) > 1) {
        std::cerr << "kestrune-calc-bench: " << command << " failed\n";
        std::exit(1);
    }
    return { seconds, childProcessorSeconds() - processorBefore };
}

} // namespace

int main(int argc, char *argv[])
{
    int rows = 100000;
    int runs = 5;
    std::string calc;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--rows" && i + 1 < argc)
            rows = std::atoi(argv[++i]);
        else if (argument == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            calc = argument;
    }
    if (calc.empty() || rows < 1) {
        std::cerr << "usage: kestrune-calc-bench [--rows N] [--runs N] KESTRUNE-CALC\n";
        return 2;
    }

    const std::filesystem::path path
        = std::filesystem::temp_directory_path() / "kestrune-calc-bench.csv";
    std::ofstream(path, std::ios::binary) << fleetCsv(rows);

    std::size_t read = 0;
    double readSeconds = 1e9;
    for (int run = 0; run < runs; ++run)
        readSeconds = std::min(readSeconds, readAlone(path, read));
    std::printf("rows %d, of which %zu read without a fault; file %.1f MB\n", rows, read,
        static_cast<double>(std::filesystem::file_size(path)) / 1e6);
    std::printf("calc_read_ms %.1f\n", readSeconds * 1e3);
    for (const std::string format : { "csv", "json", "table" }) {
        Timing best;
        for (int run = 0; run < runs; ++run) {
            const Timing timing = wholeProgram(calc, path, format);
            best.wall = std::min(best.wall, timing.wall);
            best.processor = std::min(best.processor, timing.processor);
        }
        std::printf("calc_%s_ms %.1f\n", format.c_str(), best.wall * 1e3);
        std::printf("calc_%s_cpu_ms %.1f\n", format.c_str(), best.processor * 1e3);
        std::printf("calc_%s_rows_per_s %.0f\n", format.c_str(), rows / best.wall);
        std::printf("calc_%s_ratio %.3f\n", format.c_str(), best.wall / readSeconds);
    }
    std::filesystem::remove(path);
    return 0;
}
