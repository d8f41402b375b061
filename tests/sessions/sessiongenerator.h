// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The generator of random user sessions: from a seed, one script line at a time, each chosen by
// what the open windows show (results on screen, the triangle window open), so that the checks
// after each action find something to check about half of the time.

#include <QString>

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <random>

namespace kestrune {

class ScriptSession;

namespace sessionfuzz {

class Generator {
public:
    explicit Generator(std::uint64_t seed) : m_random(seed) { }

    // The next line of the script, for the session as it stands.
    QString next(const ScriptSession &session);

private:
    int pick(int count) { return static_cast<int>(m_random() % static_cast<unsigned>(count)); }

    const char *oneOfRaw(std::initializer_list<const char *> choices);
    QString oneOf(std::initializer_list<const char *> choices);
    QString text();
    QString key();
    QString altLetter();
    QString pastedText();
    QString keepingResults(const ScriptSession &session);
    void queueCalculation(bool imperial);
    void queueClickAfterWarning(bool imperial);
    QString anyTextBox(const ScriptSession &session);
    QString anyButton(const ScriptSession &session);
    template <typename T> QString anyChild(const ScriptSession &session);
    void queueTriangleSolve();

    std::mt19937_64 m_random;
    std::deque<QString> m_pending;
};

} // namespace sessionfuzz
} // namespace kestrune
