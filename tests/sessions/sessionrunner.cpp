// SPDX-License-Identifier: GPL-3.0-or-later
// Runs scripts and generated sessions in a fresh scripted session each, checking the invariants
// after every action; a failing script is shrunk by removing ever smaller runs of lines while it
// still fails.

#include "tests/sessions/sessionrunner.h"

#include "tests/sessions/invariants.h"
#include "tests/sessions/sessiongenerator.h"
#include "tools/session.h"

#include <csignal>
#include <cstdio>
#include <exception>

namespace kestrune::sessionfuzz {

namespace {

// The script being run, for the report when the process dies.
Script g_running;

} // namespace

void printRunningScript()
{
    std::fputs("\nThe session that was running when the program died:\n", stderr);
    for (const QString &line : g_running)
        std::fprintf(stderr, "%s\n", qPrintable(line));
}

extern "C" void onFatalSignal(int signal)
{
    printRunningScript();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

namespace {

// Runs one action, line `index` of its script, and checks the invariants after it.
std::optional<Failure> runAction(ScriptSession &session, const QString &line, std::size_t index)
{
    const MainSnapshot before
        = session.mainWindow() ? snapshot(*session.mainWindow()) : MainSnapshot {};
    try {
        session.run(line);
    } catch (const ScriptError &error) {
        return Failure { QStringLiteral("script error: ") + QString::fromUtf8(error.what()), index,
            true };
    } catch (const std::exception &error) {
        return Failure { QStringLiteral("crash: ") + QString::fromUtf8(error.what()), index };
    }
    if (std::optional<QString> fault = checkInvariants(session, before))
        return Failure { *fault, index };
    return std::nullopt;
}

} // namespace

std::optional<Failure> runScript(const Script &script)
{
    g_running = script;
    ScriptSession session([](const QString &) {});
    for (std::size_t i = 0; i < script.size() && !session.ended(); ++i) {
        if (std::optional<Failure> failure = runAction(session, script[i], i)) return failure;
    }
    return std::nullopt;
}

std::pair<Script, std::optional<Failure>> runGenerated(std::uint64_t seed, int actions)
{
    Generator generator(seed);
    Script script;
    g_running.clear();
    ScriptSession session([](const QString &) {});
    for (int i = 0; i < actions && !session.ended(); ++i) {
        script.push_back(generator.next(session));
        g_running = script;
        if (std::optional<Failure> failure = runAction(session, script.back(), script.size() - 1))
            return { script, failure };
    }
    return { script, std::nullopt };
}

namespace {

// The shortest script found, by removing ever smaller runs of lines while it still fails.
Script shrink(Script script)
{
    if (const std::optional<Failure> first = runScript(script); first && !first->scriptError)
        script.resize(first->line + 1);
    for (std::size_t chunk = script.size() / 2; chunk >= 1; chunk /= 2) {
        for (std::size_t start = 0; start + chunk <= script.size();) {
            Script candidate = script;
            candidate.erase(candidate.begin() + static_cast<long>(start),
                candidate.begin() + static_cast<long>(start + chunk));
            // Removing lines can leave a script that names a window no longer open: that is
            // no longer the program's failure.
            const std::optional<Failure> failure = runScript(candidate);
            if (failure && !failure->scriptError) {
                candidate.resize(failure->line + 1);
                script = candidate;
            } else {
                start += chunk;
            }
        }
    }
    return script;
}

} // namespace

int report(std::uint64_t seed, const Script &script, const Failure &failure)
{
    std::printf("FAILED session seed %llu: %s (after line %zu)\n",
        static_cast<unsigned long long>(seed), qPrintable(failure.what), failure.line + 1);
    const Script shortest = shrink(script);
    const std::optional<Failure> again = runScript(shortest);
    std::printf("shortest script (%zu lines)%s:\n", shortest.size(),
        again ? qPrintable(QStringLiteral(", fails with: ") + again->what) : "");
    for (const QString &line : shortest)
        std::printf("%s\n", qPrintable(line));
    return 1;
}

} // namespace kestrune::sessionfuzz
