// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/options.h"

#include "cli/input/utf8.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <vector>

namespace kestrune {

namespace {

// The commands' names, in the order of Command.
constexpr std::array<std::string_view, 4> kCommandNames { "loads", "report", "triangle", "help" };

std::optional<Command> commandNamed(std::string_view name)
{
    const auto *known = std::find(kCommandNames.begin(), kCommandNames.end(), name);
    if (known == kCommandNames.end()) return std::nullopt;
    return static_cast<Command>(known - kCommandNames.begin());
}

bool isHelp(std::string_view argument)
{
    return argument == "--help" || argument == "-h";
}

// The long names of a command's options; -o is --output.
std::vector<std::string_view> optionsOf(Command command)
{
    std::vector<std::string_view> names;
    if (command == Command::Loads || command == Command::Report)
        names = { "csv", "units", "id", "projection", "rise", "width", "degrees", "minutes",
            "encoding", "quiet" };
    if (command == Command::Loads)
        names.insert(names.end(), { "format", "output", "decimal-comma" });
    if (command == Command::Report) names.insert(names.end(), { "pdf", "date", "paper" });
    if (command == Command::Triangle)
        names = { "a", "b", "h", "angle-a", "angle-b", "format", "output", "decimal-comma" };
    return names;
}

bool isFlag(std::string_view name)
{
    return name == "decimal-comma" || name == "quiet";
}

// CLI11 reads "--name=" as "--name" followed by the next argument, and "-oFILE" as "-o FILE";
// kestrune-calc takes the first as an empty value and refuses the second. A NUL, which no
// argument can hold, marks both for CLI11 and is taken out again of every value and stray.
std::string marked(std::string_view argument)
{
    if (argument.starts_with("--") && argument.find('=') != std::string_view::npos)
        return std::string(argument) + '\0';
    if (argument.starts_with("-o") && argument.size() > 2) return '\0' + std::string(argument);
    return std::string(argument);
}

std::string unmarked(std::string text)
{
    std::erase(text, '\0');
    return text;
}

// Arguments CLI11 found no option for, in order: the first is the fault wherever it stands before
// the one CLI11 or an option's own check met.
void refuseStrays(const CLI::App &parser, const std::string &seeHelp)
{
    const std::vector<std::string> strays = parser.remaining();
    if (strays.empty()) return;
    // -o is --output, which some commands do not take.
    const std::string stray = strays.front() == "-o" ? "--output" : unmarked(strays.front());
    if (stray.starts_with("--") && stray.size() > 2)
        throw UsageError("unknown option " + stray.substr(0, stray.find('=')) + seeHelp);
    throw UsageError("unexpected argument \"" + stray + "\"" + seeHelp);
}

using Given = std::map<std::string, std::string, std::less<>>;

// The options after the command, each once, by their long names; a flag's value is empty.
Given readOptions(Command command, std::span<const std::string_view> arguments)
{
    const std::string seeHelp = " (kestrune-calc "
        + std::string(kCommandNames.at(static_cast<std::size_t>(command)))
        + " --help lists the options)";
    CLI::App parser;
    parser.set_help_flag();
    parser.allow_extras();
    parser.allow_windows_style_options(false);
    Given given;
    for (const std::string_view name : optionsOf(command)) {
        const std::string dashed = "--" + std::string(name);
        const bool flag = isFlag(name);
        // Checked as CLI11 meets each option, so that the first fault of the line is told.
        auto take = [&, name, dashed, flag](const CLI::results_t &results) {
            refuseStrays(parser, seeHelp);
            if (flag && results.front() != "true")
                throw UsageError("the option " + dashed + " takes no value");
            std::string value = flag ? std::string() : unmarked(results.front());
            if (!IsUtf8(value)) throw UsageError("the value of " + dashed + " is not UTF-8 text");
            if (!given.emplace(name, std::move(value)).second)
                throw UsageError("the option " + dashed + " is given twice");
            return true;
        };
        CLI::Option *option
            = parser.add_option(name == "output" ? "-o,--output" : dashed, CLI::callback_t(take));
        option->trigger_on_parse();
        if (flag) option->expected(0);
    }
    std::vector<std::string> reversed;
    std::transform(arguments.rbegin(), arguments.rend(), std::back_inserter(reversed), marked);
    try {
        parser.parse(std::move(reversed));
    } catch (const CLI::ArgumentMismatch &) {
        // Only the last argument can be an option without its value.
        refuseStrays(parser, seeHelp);
        throw UsageError("the option "
            + parser.get_option(std::string(arguments.back()))->get_name() + " needs a value");
    }
    refuseStrays(parser, seeHelp);
    return given;
}

OutputFormat formatNamed(const std::string &name)
{
    if (name == "table") return OutputFormat::Table;
    if (name == "csv") return OutputFormat::Csv;
    if (name == "json") return OutputFormat::Json;
    if (name == "xlsx") {
        if (!kXlsxAvailable)
            throw UsageError("the format xlsx is not available in this build of kestrune-calc");
        return OutputFormat::Xlsx;
    }
    throw UsageError("the format must be table, csv, json or xlsx, not \"" + name + "\"");
}

void readOutput(Options &options, Given &given)
{
    if (const auto format = given.find("format"); format != given.end())
        options.format = formatNamed(format->second);
    if (const auto output = given.find("output"); output != given.end()) {
        if (output->second.empty()) throw UsageError("the option --output needs a file name");
        options.outputFile = output->second;
    }
    if (options.format == OutputFormat::Xlsx
        && (options.outputFile.empty() || options.outputFile == "-"))
        throw UsageError("--format xlsx writes a file: give its name with --output FILE");
    options.decimalComma = given.contains("decimal-comma");
    options.quiet = given.contains("quiet");
    if (const auto encoding = given.find("encoding"); encoding != given.end()) {
        options.encoding = encodingNamed(encoding->second);
        if (!options.encoding)
            throw UsageError("the encoding must be utf-8, utf-16 or windows-1252, not \""
                + encoding->second + "\"");
    }
}

void readEscalators(Options &options, Given &given)
{
    if (const auto units = given.find("units"); units != given.end()) {
        const std::optional<UnitSystem> named = unitsFromName(units->second);
        if (!named)
            throw UsageError("the units must be imperial or metric, not \"" + units->second + "\"");
        options.units = *named;
    }

    constexpr std::array<std::string_view, 6> single { "id", "projection", "rise", "width",
        "degrees", "minutes" };
    if (const auto csv = given.find("csv"); csv != given.end()) {
        for (const std::string_view option : single) {
            if (given.contains(option))
                throw UsageError("the option --" + std::string(option)
                    + " is for one escalator; with --csv each row gives its own");
        }
        options.csvFile = csv->second;
        return;
    }

    for (const std::string_view needed : { "projection", "rise", "width", "degrees" }) {
        if (!given.contains(needed))
            throw UsageError("the option --" + std::string(needed)
                + " is missing: one escalator needs --projection, --rise, --width and --degrees"
                  " (or --csv FILE for a fleet)");
    }
    EscalatorEntry entry;
    entry.units = options.units;
    entry.id = given["id"];
    entry.projection = given["projection"];
    entry.rise = given["rise"];
    entry.width = given["width"];
    entry.degrees = given["degrees"];
    entry.minutes = given.contains("minutes") ? given["minutes"] : std::string(kStartMinutes);
    options.escalator = std::move(entry);
}

void readReport(Options &options, Given &given)
{
    if (!given.contains("pdf")) throw UsageError("the option --pdf FILE is missing");
    options.pdfFile = given["pdf"];
    if (options.pdfFile.empty()) throw UsageError("the option --pdf needs a file name");
    if (const auto date = given.find("date"); date != given.end()) {
        options.date = parseDate(date->second);
        if (!options.date)
            throw UsageError("the date must be a day of the calendar written YYYY-MM-DD, not \""
                + date->second + "\"");
    }
    if (const auto paper = given.find("paper"); paper != given.end()) {
        if (paper->second == "letter")
            options.paper = Paper::Letter;
        else if (paper->second == "a4" || paper->second == "A4")
            options.paper = Paper::A4;
        else
            throw UsageError("the paper must be letter or a4, not \"" + paper->second + "\"");
    }
}

void readTriangle(Options &options, Given &given)
{
    if (given.contains("angle-a") && given.contains("angle-b"))
        throw UsageError("give one angle at most: the triangle's angles A and B follow from each "
                         "other");
    std::size_t count = 0;
    auto take = [&](std::string_view option, std::optional<std::string> &into) {
        if (const auto found = given.find(option); found != given.end()) {
            into = found->second;
            ++count;
        }
    };
    take("a", options.sideA);
    take("b", options.sideB);
    take("h", options.hypotenuse);
    take("angle-a", options.angleA);
    take("angle-b", options.angleB);
    if (count != 2)
        throw UsageError("give exactly two of --a, --b, --h, --angle-a and --angle-b (two sides, "
                         "or one angle and one side)");
}

} // namespace

std::optional<CalendarDate> parseDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto number = [text](std::size_t from, std::size_t length) {
        int value = 0;
        for (const char c : text.substr(from, length))
            value = value >= 0 && c >= '0' && c <= '9' ? value * 10 + (c - '0') : -1;
        return value;
    };
    const int year = number(0, 4);
    const int month = number(5, 2);
    const int day = number(8, 2);
    if (year < 1 || month < 0 || day < 0) return std::nullopt;
    const std::chrono::year_month_day date { std::chrono::year(year),
        std::chrono::month(static_cast<unsigned>(month)),
        std::chrono::day(static_cast<unsigned>(day)) };
    if (!date.ok()) return std::nullopt;
    return CalendarDate { year, month, day };
}

Options parseOptions(std::span<const std::string_view> arguments)
{
    Options options;
    if (arguments.empty())
        throw UsageError("a command is needed: loads, report or triangle (kestrune-calc --help "
                         "explains them)");
    const std::string_view first = arguments.front();
    if (isHelp(first)) return options;
    if (first == "--version") {
        options.command = Command::Version;
        return options;
    }
    const std::optional<Command> command = commandNamed(first);
    if (!command)
        throw UsageError("unknown command \"" + std::string(first)
            + "\"; the commands are loads, report, triangle and help");
    const std::span<const std::string_view> rest = arguments.subspan(1);

    if (*command == Command::Help) {
        if (rest.size() > 1) throw UsageError("help takes one command at most");
        if (!rest.empty()) {
            const std::optional<Command> topic = commandNamed(rest.front());
            if (!topic) throw UsageError("unknown command \"" + std::string(rest.front()) + "\"");
            options.helpTopic = *topic;
        }
        return options;
    }
    if (std::any_of(rest.begin(), rest.end(), isHelp)) {
        options.helpTopic = *command;
        return options;
    }

    options.command = *command;
    Given given = readOptions(*command, rest);
    readOutput(options, given);
    if (*command == Command::Triangle) {
        readTriangle(options, given);
    } else {
        readEscalators(options, given);
        if (*command == Command::Report) readReport(options, given);
    }
    return options;
}

} // namespace kestrune
