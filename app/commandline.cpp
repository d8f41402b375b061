// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include "app/platformtexts.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <algorithm>
#include <iterator>

namespace kestrune {

namespace {

// Options that QApplication and its platform plugins read for themselves: the ones followed by a
// value, then the ones that stand alone. They are accepted here so that the command line is
// not refused before Qt has seen it.
const char *const kQtOptionsWithValue[]
    = { "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "session", "display", "geometry", "title", "icon", "name",
          "visual", "style", "stylesheet", "qmljsdebugger", "dialogs", "fontengine" };
const char *const kQtFlags[] = { "reverse", "widgetcount", "nograb", "dograb", "sync" };

template <std::size_t N> bool isOneOf(const QString &name, const char *const (&names)[N])
{
    return std::any_of(std::begin(names), std::end(names),
        [&name](const char *candidate) { return name == QLatin1String(candidate); });
}

// The name of an option word ("--display=:1" and "-display" give "display"); empty for a word
// that is no option.
QString optionName(const QString &argument)
{
    if (!argument.startsWith(QLatin1Char('-'))) return {};
    QString name = argument.section(QLatin1Char('='), 0, 0);
    while (name.startsWith(QLatin1Char('-')))
        name.remove(0, 1);
    return name;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform, -display): read them as such, not as
    // bundles of one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList { QStringLiteral("h"), QStringLiteral("help") });
    const QCommandLineOption version(
        QStringList { QStringLiteral("v"), QStringLiteral("version") });
    parser.addOption(help);
    parser.addOption(version);
    for (const char *name : kQtOptionsWithValue)
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(name), {}, QStringLiteral("value")));
    for (const char *name : kQtFlags)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    // Qt reads its options with one dash or two, but "-platform=NAME" as an unknown word: hand
    // them on as "-platform NAME", so that every spelling accepted here works, and Qt reads what
    // was checked here.
    CommandLine result;
    for (const QString &argument : arguments) {
        const QString name = optionName(argument);
        const bool takesValue = isOneOf(name, kQtOptionsWithValue);
        if (result.arguments.isEmpty() || !(takesValue || isOneOf(name, kQtFlags))) {
            result.arguments << argument;
        } else if (takesValue && argument.contains(QLatin1Char('='))) {
            result.arguments << QLatin1Char('-') + name << argument.section(QLatin1Char('='), 1);
        } else {
            result.arguments << QLatin1Char('-') + name;
        }
    }
    if (!parser.parse(result.arguments)) {
        result.action = CommandLine::Action::UsageError;
        result.error = parser.errorText();
        // Name an unknown option as it was typed, dashes included.
        if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
            for (const QString &argument : arguments.mid(1)) {
                if (optionName(argument) == unknown.first()) {
                    result.error = QStringLiteral("Unknown option '%1'.")
                                       .arg(argument.section(QLatin1Char('='), 0, 0));
                    break;
                }
            }
        }
        return result;
    }
    if (parser.isSet(help)) {
        result.action = CommandLine::Action::ShowHelp;
        return result;
    }
    if (parser.isSet(version)) {
        result.action = CommandLine::Action::ShowVersion;
        return result;
    }
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty()) {
        // Kestrune opens no files: a stray word is most likely a mistyped option.
        result.action = CommandLine::Action::UsageError;
        result.error = QStringLiteral("Unexpected argument '%1'.").arg(extra.first());
        return result;
    }
    result.platform = parser.value(QStringLiteral("platform"));
    result.display = parser.value(QStringLiteral("display"));
    return result;
}

QString helpText()
{
    return QStringLiteral(
               "Usage: kestrune [OPTION...]\n"
               "Opens Kestrune, the rated-load calculator for escalators: from the horizontal\n"
               "projection, total rise, step width and angle of inclination it computes the\n"
               "cotangent of the angle and four rated loads, in imperial and metric units.\n"
               "\n"
               "Options:\n"
               "  -h, --help          show this help and exit\n"
               "  -v, --version       show the version and exit\n"
               "\n"
               "Qt's own options are accepted too, among them:\n")
        + windowSystemOptionsHelp()
        + QStringLiteral(
            "  -style NAME         the look of the controls, for example Fusion\n"
            "\n"
            "Exit status: 0 when the last window is closed; 1 when no display can be opened\n"
            "or no font is installed; 2 when the command line is wrong.\n"
            "\n")
        + manualHelp();
}

QString versionText()
{
    return QStringLiteral("kestrune %1\n").arg(QStringLiteral(KESTRUNE_VERSION));
}

QString displayFailureText(const CommandLine &commandLine, const DisplayEnvironment &environment)
{
    const QString hint = QStringLiteral(
        "start it in a graphical session, or under a virtual display: xvfb-run -a kestrune");
    QString platform = commandLine.platform.isEmpty() ? environment.platform : commandLine.platform;
    if (platform.isEmpty()) platform = defaultWindowSystem();
    const bool x11 = platform.isEmpty() || platform.startsWith(QLatin1String("xcb"));
    const bool wayland = platform.startsWith(QLatin1String("wayland"));
    if (!x11 && !wayland) {
        return QStringLiteral("kestrune: the window system \"%1\" could not be started; choose "
                              "%2 with -platform")
            .arg(platform, windowSystemChoices());
    }
    const QString display
        = commandLine.display.isEmpty() ? environment.display : commandLine.display;
    if (wayland && !environment.waylandDisplay.isEmpty()) {
        return QStringLiteral("kestrune: cannot connect to the Wayland display \"%1\"; %2")
            .arg(environment.waylandDisplay, hint);
    }
    if (!display.isEmpty())
        return QStringLiteral("kestrune: cannot open the display \"%1\"; %2").arg(display, hint);
    return QStringLiteral(
               "kestrune: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); ")
        + hint;
}

} // namespace kestrune
