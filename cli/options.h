// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// kestrune-calc's command line: a command (loads, report, triangle, help) and its options, each
// written "--name VALUE" or "--name=VALUE". A value is taken as written, so "--minutes -5" is five
// minutes below the degree. Anything the commands cannot take is a UsageError, whose text says
// what is wrong; the program answers it with exit status 2.

#include "cli/input/encoding.h"
#include "cli/input/escalatorentry.h"
#include "cli/output/forms.h"

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kestrune {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Command { Loads, Report, Triangle, Help, Version };

enum class Paper { Letter, A4 };

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

struct Options {
    Command command = Command::Help;
    // For help: the command to explain, Help itself for the overview.
    Command helpTopic = Command::Help;

    OutputFormat format = OutputFormat::Table;
    // Where the output goes, written whole or not at all (empty or "-": standard output).
    std::string outputFile;
    // Numbers written with a decimal comma, whatever the file read.
    bool decimalComma = false;
    // No summary line on standard error.
    bool quiet = false;
    // The CSV file's encoding as the user names it; found from the file otherwise.
    std::optional<TextEncoding> encoding;
    UnitSystem units = UnitSystem::Imperial;

    // A fleet: the CSV file to read ("-" for standard input).
    std::optional<std::string> csvFile;
    // One escalator; present exactly when no CSV file is given to loads or report.
    std::optional<EscalatorEntry> escalator;

    // report
    std::string pdfFile;
    std::optional<CalendarDate> date;
    std::optional<Paper> paper;

    // triangle: the texts of the two quantities given, the angles as D or D:M.
    std::optional<std::string> sideA, sideB, hypotenuse, angleA, angleB;
};

// `arguments` without the program's name.
Options parseOptions(std::span<const std::string_view> arguments);

// The text of --help for a command (Help: the overview of all commands).
std::string helpText(Command command);

// The date of YYYY-MM-DD, when it is one of the calendar.
std::optional<CalendarDate> parseDate(std::string_view text);

} // namespace kestrune
