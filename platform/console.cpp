// SPDX-License-Identifier: GPL-3.0-or-later
// The standard streams and arguments on Unix: as they are (Windows: console_win.cpp).
#include "platform/console.h"

namespace kestrune {

Utf8Arguments::Utf8Arguments(int argc, char *argv[]) : m_words(argv, argv + argc)
{
    for (std::string &word : m_words)
        m_pointers.push_back(word.data());
    m_pointers.push_back(nullptr);
}

void useBinaryStandardStreams() { }

void showOutputInParentConsole() { }

} // namespace kestrune
