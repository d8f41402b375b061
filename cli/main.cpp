// SPDX-License-Identifier: GPL-3.0-or-later
// kestrune-calc: Kestrune's escalator rated loads, printed report and right-angled triangles from
// the command line, with the window's digits, checks and messages. Needs no display.
// Exit status: 0 everything calculated; 1 some escalator or the triangle refused; 2 nothing done.

#include "cli/commands/commands.h"
#include "cli/options.h"
#include "cli/output/wholefile.h"
#include "platform/console.h"

#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <exception>
#include <iostream>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

constexpr int kUsageStatus = 2;

int fail(const std::string &message)
{
    std::cout.flush();
    std::cerr << "kestrune-calc: " << message << '\n';
    return kUsageStatus;
}

// Qt's own notices (a runtime folder it had to choose, a platform detail) say nothing a user of
// the command can act on; failures reach the user as the command's own messages.
void keepSeriousQtMessages(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "kestrune-calc: " << text.toStdString() << '\n';
}

// The report draws its pages with Qt's fonts, which need a GUI application; Qt's offscreen
// platform gives one without a display, so the command runs on a server as well. On Windows the
// offscreen platform reads fonts from Qt's own folder only, which has none: the minimal platform
// there uses the system's fonts.
int runReport(char *program, const kestrune::Options &options)
{
    qInstallMessageHandler(keepSeriousQtMessages);
#ifdef Q_OS_WIN
    qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts");
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    int argc = 1;
    char *argv[] = { program, nullptr };
    const QGuiApplication application(argc, argv);
    return kestrune::RunReport(options, std::cerr);
}

int run(int argc, char *argv[])
{
    using namespace kestrune;
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const Options options = parseOptions(arguments);
    switch (options.command) {
    case Command::Help:
        std::cout << helpText(options.helpTopic);
        return 0;
    case Command::Version:
        std::cout << "kestrune-calc " KESTRUNE_VERSION "\n";
        return 0;
    case Command::Loads:
    case Command::Triangle: {
        // The output is made whole before any of it is written: a failure part-way (a file that
        // cannot be read to its end) leaves nothing, never half a JSON array or half a file.
        std::ostringstream output;
        const int status = options.command == Command::Loads
            ? RunLoads(options, output, std::cerr)
            : RunTriangle(options, output, std::cerr);
        const std::string bytes = std::move(output).str();
        WriteWhole(options.outputFile.empty() ? "-" : options.outputFile,
            QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        return status;
    }
    case Command::Report:
        return runReport(argv[0], options);
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    kestrune::Utf8Arguments arguments(argc, argv);
    kestrune::useBinaryStandardStreams();
    std::ios::sync_with_stdio(false);
    int status = 0;
    try {
        status = run(arguments.argc(), arguments.argv());
    } catch (const kestrune::UsageError &error) {
        return fail(error.what());
    } catch (const std::bad_alloc &) {
        return fail("out of memory");
    } catch (const std::exception &error) {
        return fail(error.what());
    }
    std::cout.flush();
    if (!std::cout) return fail("the output could not be written");
    return status;
}
