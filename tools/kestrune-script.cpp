// SPDX-License-Identifier: GPL-3.0-or-later
// kestrune-script [--desktop] [FILE]: runs Kestrune's real windows from a script of user actions
// (FILE, or standard input) and writes what the user would have seen to standard output:
// offscreen with the recording services, or with --desktop on the X display named by DISPLAY,
// with real input and the real dialogs.
// Exit status: 0 the script ran to its end; 2 a fault of the script; 3 the program failed.

#include "platform/console.h"
#include "tools/headless.h"
#include "tools/session.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>

int main(int argc, char *argv[])
{
    kestrune::useBinaryStandardStreams();
    const bool desktop = argc > 1 && std::strcmp(argv[1], "--desktop") == 0;
    if (desktop)
        kestrune::prepareDesktopRun();
    else
        kestrune::prepareHeadlessRun();
    QApplication app(argc, argv);
    kestrune::configureHeadlessRun();

    QStringList args = QCoreApplication::arguments();
    if (desktop) args.removeAt(1);
    QFile input;
    if (args.size() > 2) {
        std::fputs("usage: kestrune-script [--desktop] [FILE]\n", stderr);
        return 2;
    }
    if (args.size() == 2) {
        input.setFileName(args.at(1));
        if (!input.open(QIODevice::ReadOnly | QIODevice::Text)) {
            std::fprintf(stderr, "kestrune-script: cannot read %s\n", qPrintable(args.at(1)));
            return 2;
        }
    } else if (!input.open(stdin, QIODevice::ReadOnly | QIODevice::Text)) {
        std::fputs("kestrune-script: cannot read standard input\n", stderr);
        return 2;
    }

    auto write = [](const QString &line) { std::cout << line.toStdString() << '\n'; };
    int lineNumber = 0;
    try {
        std::unique_ptr<kestrune::ScriptSession> started;
        try {
            started = std::make_unique<kestrune::ScriptSession>(write,
                desktop ? kestrune::ScriptSession::Display::Desktop
                        : kestrune::ScriptSession::Display::Offscreen);
        } catch (const kestrune::ScriptError &error) {
            std::fprintf(stderr, "kestrune-script: %s\n", error.what());
            return 2;
        }
        kestrune::ScriptSession &session = *started;
        QTextStream stream(&input);
        stream.setEncoding(QStringConverter::Utf8);
        QString line;
        while (stream.readLineInto(&line)) {
            ++lineNumber;
            if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
            try {
                session.run(line);
                // A command's lines are out before the next command is read, so that whoever
                // writes the script to standard input can act on what the program showed.
                std::cout.flush();
            } catch (const kestrune::ScriptError &error) {
                std::cout.flush();
                std::fprintf(stderr, "kestrune-script: line %d: %s\n", lineNumber, error.what());
                return 2;
            }
        }
    } catch (const std::exception &error) {
        write(QStringLiteral("crash ") + kestrune::quoted(QString::fromUtf8(error.what())));
        std::cout.flush();
        return 3;
    } catch (...) {
        write(QStringLiteral("crash \"unknown failure\""));
        std::cout.flush();
        return 3;
    }
    std::cout.flush();
    return 0;
}
