// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/options.h"

#include "cli/input/utf8.h"

#include <algorithm>
#include <array>
#include <map>

namespace kestrune {

namespace {

enum class Option {
    Csv,
    Units,
    Id,
    Projection,
    Rise,
    Width,
    Degrees,
    Minutes,
    Format,
    Pdf,
    Date,
    Paper,
    SideA,
    SideB,
    Hypotenuse,
    AngleA,
    AngleB,
    Output,
    Encoding,
    DecimalComma,
    Quiet,
};

struct OptionName {
    std::string_view name;
    Option option;
    bool flag = false; // takes no value
};

constexpr std::array kOptionNames { OptionName { "csv", Option::Csv },
    OptionName { "units", Option::Units }, OptionName { "id", Option::Id },
    OptionName { "projection", Option::Projection }, OptionName { "rise", Option::Rise },
    OptionName { "width", Option::Width }, OptionName { "degrees", Option::Degrees },
    OptionName { "minutes", Option::Minutes }, OptionName { "format", Option::Format },
    OptionName { "pdf", Option::Pdf }, OptionName { "date", Option::Date },
    OptionName { "paper", Option::Paper }, OptionName { "a", Option::SideA },
    OptionName { "b", Option::SideB }, OptionName { "h", Option::Hypotenuse },
    OptionName { "angle-a", Option::AngleA }, OptionName { "angle-b", Option::AngleB },
    OptionName { "output", Option::Output }, OptionName { "encoding", Option::Encoding },
    OptionName { "decimal-comma", Option::DecimalComma, true },
    OptionName { "quiet", Option::Quiet, true } };

constexpr std::array kEscalatorOptions { Option::Csv, Option::Units, Option::Id, Option::Projection,
    Option::Rise, Option::Width, Option::Degrees, Option::Minutes };

bool takes(Command command, Option option)
{
    const bool escalator = std::find(kEscalatorOptions.begin(), kEscalatorOptions.end(), option)
        != kEscalatorOptions.end();
    switch (command) {
    case Command::Loads:
        return escalator || option == Option::Format || option == Option::Output
            || option == Option::Encoding || option == Option::DecimalComma
            || option == Option::Quiet;
    case Command::Report:
        return escalator || option == Option::Pdf || option == Option::Date
            || option == Option::Paper || option == Option::Encoding || option == Option::Quiet;
    case Command::Triangle:
        return option == Option::SideA || option == Option::SideB || option == Option::Hypotenuse
            || option == Option::AngleA || option == Option::AngleB || option == Option::Format
            || option == Option::Output || option == Option::DecimalComma;
    case Command::Help:
    case Command::Version:
        break;
    }
    return false;
}

std::string_view nameOf(Option option)
{
    for (const OptionName &entry : kOptionNames) {
        if (entry.option == option) return entry.name;
    }
    return {};
}

std::string dashed(Option option)
{
    return "--" + std::string(nameOf(option));
}

struct CommandName {
    std::string_view name;
    Command command;
};

constexpr std::array kCommandNames { CommandName { "loads", Command::Loads },
    CommandName { "report", Command::Report }, CommandName { "triangle", Command::Triangle },
    CommandName { "help", Command::Help } };

std::optional<Command> commandNamed(std::string_view name)
{
    const auto *known = std::find_if(kCommandNames.begin(), kCommandNames.end(),
        [name](const CommandName &entry) { return entry.name == name; });
    if (known == kCommandNames.end()) return std::nullopt;
    return known->command;
}

std::string_view commandName(Command command)
{
    const auto *known = std::find_if(kCommandNames.begin(), kCommandNames.end(),
        [command](const CommandName &entry) { return entry.command == command; });
    return known != kCommandNames.end() ? known->name : "help";
}

bool isHelp(std::string_view argument)
{
    return argument == "--help" || argument == "-h";
}

using Given = std::map<Option, std::string>;

// The options after the command, each once.
Given readOptions(Command command, std::span<const std::string_view> arguments)
{
    const std::string seeHelp
        = " (kestrune-calc " + std::string(commandName(command)) + " --help lists the options)";
    Given given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        // -o is --output.
        const std::string_view argument = arguments[i] == "-o" ? "--output" : arguments[i];
        if (!argument.starts_with("--") || argument.size() == 2)
            throw UsageError("unexpected argument \"" + std::string(argument) + "\"" + seeHelp);
        std::string_view name = argument.substr(2);
        std::optional<std::string_view> value;
        if (const std::size_t equals = name.find('='); equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const auto *known = std::find_if(kOptionNames.begin(), kOptionNames.end(),
            [name](const OptionName &entry) { return entry.name == name; });
        if (known == kOptionNames.end() || !takes(command, known->option))
            throw UsageError("unknown option --" + std::string(name) + seeHelp);
        if (known->flag) {
            if (value) throw UsageError("the option --" + std::string(name) + " takes no value");
            value = std::string_view {};
        } else if (!value) {
            if (i + 1 == arguments.size())
                throw UsageError("the option --" + std::string(name) + " needs a value");
            value = arguments[++i];
        }
        if (!IsUtf8(*value))
            throw UsageError("the value of --" + std::string(name) + " is not UTF-8 text");
        if (!given.emplace(known->option, std::string(*value)).second)
            throw UsageError("the option --" + std::string(name) + " is given twice");
    }
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
    if (const auto format = given.find(Option::Format); format != given.end())
        options.format = formatNamed(format->second);
    if (const auto output = given.find(Option::Output); output != given.end()) {
        if (output->second.empty()) throw UsageError("the option --output needs a file name");
        options.outputFile = output->second;
    }
    if (options.format == OutputFormat::Xlsx
        && (options.outputFile.empty() || options.outputFile == "-"))
        throw UsageError("--format xlsx writes a file: give its name with --output FILE");
    options.decimalComma = given.contains(Option::DecimalComma);
    options.quiet = given.contains(Option::Quiet);
    if (const auto encoding = given.find(Option::Encoding); encoding != given.end()) {
        options.encoding = encodingNamed(encoding->second);
        if (!options.encoding)
            throw UsageError("the encoding must be utf-8, utf-16 or windows-1252, not \""
                + encoding->second + "\"");
    }
}

void readEscalators(Options &options, Given &given)
{
    if (const auto units = given.find(Option::Units); units != given.end()) {
        const std::optional<UnitSystem> named = unitsFromName(units->second);
        if (!named)
            throw UsageError("the units must be imperial or metric, not \"" + units->second + "\"");
        options.units = *named;
    }

    constexpr std::array single { Option::Id, Option::Projection, Option::Rise, Option::Width,
        Option::Degrees, Option::Minutes };
    if (const auto csv = given.find(Option::Csv); csv != given.end()) {
        for (const Option option : single) {
            if (given.contains(option))
                throw UsageError("the option " + dashed(option)
                    + " is for one escalator; with --csv each row gives its own");
        }
        options.csvFile = csv->second;
        return;
    }

    for (const Option needed :
        { Option::Projection, Option::Rise, Option::Width, Option::Degrees }) {
        if (!given.contains(needed))
            throw UsageError("the option " + dashed(needed)
                + " is missing: one escalator needs --projection, --rise, --width and --degrees"
                  " (or --csv FILE for a fleet)");
    }
    EscalatorEntry entry;
    entry.units = options.units;
    entry.id = given[Option::Id];
    entry.projection = given[Option::Projection];
    entry.rise = given[Option::Rise];
    entry.width = given[Option::Width];
    entry.degrees = given[Option::Degrees];
    entry.minutes
        = given.contains(Option::Minutes) ? given[Option::Minutes] : std::string(kStartMinutes);
    options.escalator = std::move(entry);
}

void readReport(Options &options, Given &given)
{
    if (!given.contains(Option::Pdf)) throw UsageError("the option --pdf FILE is missing");
    options.pdfFile = given[Option::Pdf];
    if (options.pdfFile.empty()) throw UsageError("the option --pdf needs a file name");
    if (const auto date = given.find(Option::Date); date != given.end()) {
        options.date = parseDate(date->second);
        if (!options.date)
            throw UsageError("the date must be a day of the calendar written YYYY-MM-DD, not \""
                + date->second + "\"");
    }
    if (const auto paper = given.find(Option::Paper); paper != given.end()) {
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
    if (given.contains(Option::AngleA) && given.contains(Option::AngleB))
        throw UsageError("give one angle at most: the triangle's angles A and B follow from each "
                         "other");
    std::size_t count = 0;
    auto take = [&](Option option, std::optional<std::string> &into) {
        if (const auto found = given.find(option); found != given.end()) {
            into = found->second;
            ++count;
        }
    };
    take(Option::SideA, options.sideA);
    take(Option::SideB, options.sideB);
    take(Option::Hypotenuse, options.hypotenuse);
    take(Option::AngleA, options.angleA);
    take(Option::AngleB, options.angleB);
    if (count != 2)
        throw UsageError("give exactly two of --a, --b, --h, --angle-a and --angle-b (two sides, "
                         "or one angle and one side)");
}

} // namespace

std::optional<CalendarDate> parseDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto number = [text](std::size_t from, std::size_t length) -> std::optional<int> {
        int value = 0;
        for (std::size_t i = from; i < from + length; ++i) {
            if (text[i] < '0' || text[i] > '9') return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const std::optional<int> year = number(0, 4);
    const std::optional<int> month = number(5, 2);
    const std::optional<int> day = number(8, 2);
    if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1)
        return std::nullopt;
    constexpr std::array<int, 12> kDays { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    const bool leap = (*year % 4 == 0 && *year % 100 != 0) || *year % 400 == 0;
    const int days = kDays[static_cast<std::size_t>(*month - 1)] + (*month == 2 && leap ? 1 : 0);
    if (*day > days) return std::nullopt;
    return CalendarDate { *year, *month, *day };
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
    switch (*command) {
    case Command::Loads:
        readEscalators(options, given);
        break;
    case Command::Report:
        readEscalators(options, given);
        readReport(options, given);
        break;
    case Command::Triangle:
        readTriangle(options, given);
        break;
    case Command::Help:
    case Command::Version:
        break;
    }
    return options;
}

} // namespace kestrune
