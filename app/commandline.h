// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's command line, read before any window system is touched, so that --help,
// --version and a wrong option answer on a machine without a display. Qt's own options
// (-platform, -display, -style...) are recognised here and left in place for QApplication.

#include <QString>
#include <QStringList>

namespace kestrune {

// Exit statuses of the program.
enum ExitStatus : int {
    ExitOk = 0, // the last window was closed, or --help / --version answered
    ExitCannotStart = 1, // no display could be opened, or no font is installed
    ExitUsage = 2, // the command line is wrong
};

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, UsageError };
    Action action = Action::Run;
    QString error; // for UsageError: what is wrong, without the program's name
    QString platform; // -platform as given, empty when not given
    QString display; // -display as given, empty when not given
    // The arguments for QApplication: those given, with "-option=value" of Qt's options split
    // into the two words Qt reads.
    QStringList arguments;
};

// Reads the arguments (the first is the program itself).
CommandLine parseCommandLine(const QStringList &arguments);

QString helpText();
QString versionText();

// The one line that explains why the window system could not be started: no display at all,
// a display that cannot be opened, or a platform that cannot be started. `environment` gives
// the values of DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM.
struct DisplayEnvironment {
    QString display;
    QString waylandDisplay;
    QString platform;
};
QString displayFailureText(const CommandLine &commandLine, const DisplayEnvironment &environment);

} // namespace kestrune
