// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The programs' command line and standard streams as the system gives them. On Linux the bytes of
// the arguments and of the output are the program's as they are, and these calls change nothing.
// On Windows (console_win.cpp) the arguments come from the Unicode command line, standard output
// and error write exactly the bytes the program writes (no carriage return put before each line
// feed), and a window program can print its help and errors into the console it was started from.

#include <string>
#include <vector>

namespace kestrune {

// The program's arguments (the program first) in UTF-8, whatever the system's code page.
class Utf8Arguments {
public:
    Utf8Arguments(int argc, char *argv[]);
    int argc() const { return static_cast<int>(m_words.size()); }
    // Valid while this object lives; ends with a null pointer, as main()'s argv does.
    char **argv() { return m_pointers.data(); }
    const std::vector<std::string> &words() const { return m_words; }

private:
    std::vector<std::string> m_words;
    std::vector<char *> m_pointers;
};

// Standard output and error write the program's bytes unchanged: a transcript or a CSV file has
// the line ends the program wrote. Text written to a console shows in UTF-8.
void useBinaryStandardStreams();

// A window program's standard output and error go to the console of whoever started it, where
// they go nowhere of themselves (on Windows a window program has none, so --help would print
// nothing in a command prompt). Output sent to a file or a pipe stays there.
void showOutputInParentConsole();

} // namespace kestrune
