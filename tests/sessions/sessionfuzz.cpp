// SPDX-License-Identifier: GPL-3.0-or-later
// kestrune-session-fuzz: long random user sessions through Kestrune's real windows (offscreen),
// with the program's invariants checked after every action.
//
//   kestrune-session-fuzz [--seed N] [--sessions N] [--actions N] [--print]
//   kestrune-session-fuzz --replay FILE      runs one script and checks it the same way
//
// A session is a script for the scripted driver, drawn from a seeded generator: typing any
// characters into every field, pasting text of several lines with tabs, accents and emoji, undo
// and redo, Tab and Shift+Tab, Enter and Escape, access keys, Alt with letters that are none,
// menu shortcuts, every button and menu item (also while leaving the width box warns), unit
// switches, printing with every dialog answer, opening and closing the triangle window. Complete
// measurements come often, and while results are shown most actions keep them, so that the
// results are checked after about half of all actions. A failure prints the session's seed and
// the shortest script found that still fails, ready to become a golden test.

#include "tests/sessions/invariants.h"
#include "tests/sessions/sessionrunner.h"
#include "tools/headless.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__)
extern "C" void __sanitizer_set_death_callback(void (*callback)());
#endif

int main(int argc, char *argv[])
{
    using namespace kestrune;
    using namespace kestrune::sessionfuzz;
    prepareHeadlessRun();
    QApplication app(argc, argv);
    configureHeadlessRun();

    std::uint64_t seed = 1;
    int sessions = 200;
    int actions = 80;
    bool print = false;
    QString replay;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--seed") && hasValue)
            seed = args.at(++i).toULongLong();
        else if (arg == QLatin1String("--sessions") && hasValue)
            sessions = args.at(++i).toInt();
        else if (arg == QLatin1String("--actions") && hasValue)
            actions = args.at(++i).toInt();
        else if (arg == QLatin1String("--replay") && hasValue)
            replay = args.at(++i);
        else if (arg == QLatin1String("--print"))
            print = true;
        else {
            std::fprintf(stderr,
                "usage: kestrune-session-fuzz [--seed N] [--sessions N] [--actions N] [--print]\n"
                "       kestrune-session-fuzz --replay FILE\n");
            return 2;
        }
    }

    std::signal(SIGSEGV, onFatalSignal);
    std::signal(SIGABRT, onFatalSignal);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(printRunningScript);
#endif

    if (!replay.isEmpty()) {
        QFile file(replay);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(replay));
            return 2;
        }
        Script script;
        QTextStream stream(&file);
        QString line;
        while (stream.readLineInto(&line))
            script.push_back(line);
        if (const std::optional<Failure> failure = runScript(script))
            return report(0, script, *failure);
        std::printf("1 passed, 0 failed\n");
        return 0;
    }

    const auto started = std::chrono::steady_clock::now();
    long long actionCount = 0;
    int failures = 0;
    for (int s = 0; s < sessions; ++s) {
        // Each session has its own seed, so any one can be run again alone.
        const std::uint64_t sessionSeed = seed * 1000003ULL + static_cast<std::uint64_t>(s);
        auto [script, failure] = runGenerated(sessionSeed, actions);
        actionCount += static_cast<long long>(script.size());
        if (print) {
            std::printf("# session seed %llu\n", static_cast<unsigned long long>(sessionSeed));
            for (const QString &line : script)
                std::printf("%s\n", qPrintable(line));
        }
        if (failure) {
            ++failures;
            report(sessionSeed, script, *failure);
        }
    }
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const auto share = [actionCount](long long part) {
        return actionCount > 0
            ? 100.0 * static_cast<double>(part) / static_cast<double>(actionCount)
            : 0.0;
    };
    std::printf(
        "sessions %d, actions %lld (after %lld of them (%.0f%%) loads were shown, after %lld "
        "(%.0f%%) triangle angles), invariant failures %d, %.1f s\n",
        sessions, actionCount, g_withLoads, share(g_withLoads), g_withAngles, share(g_withAngles),
        failures, seconds);
    std::printf("%d passed, %d failed\n", sessions - failures, failures);
    return failures == 0 ? 0 : 1;
}
