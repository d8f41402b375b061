// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of kestrune-calc --help, one for the program and one for each command.

#include "cli/options.h"

namespace kestrune {

namespace {

constexpr std::string_view kOverview = R"(Usage: kestrune-calc COMMAND [OPTIONS]

Escalator rated loads and right-angled triangles from the command line, digit for digit as the
Kestrune window shows them.

Commands:
  loads            the cotangent and the four rated loads of one escalator, or of each
                   escalator of a CSV file
  report           the printed results report as a PDF file, one page per escalator
  triangle         the sides and angles of a right-angled triangle
  help [COMMAND]   this help, or the help of a command

Options:
  -h, --help       show this help (after a command: the command's help)
  --version        show the version

Exit status: 0 when every escalator was calculated; 1 when some were refused (each has its
message on standard error and in the output); 2 when nothing could be done: wrong usage, a file
that cannot be read or written, a CSV file without its header row, a report of which no page
could be made.

See kestrune-calc(1) for examples.
)";

constexpr std::string_view kLoadsHelp
    = R"(Usage: kestrune-calc loads --projection P --rise R --width W --degrees D [--minutes M]
                          [--id TEXT] [--units imperial|metric] [OUTPUT OPTIONS]
       kestrune-calc loads --csv FILE [--units imperial|metric] [--encoding ENCODING]
                          [OUTPUT OPTIONS]

The cotangent of the angle of inclination and the four rated loads in pounds and kilograms, as
the window's boxes show them after Calculate in the unit system given. A refused escalator gets
the window's message in the error column and no loads; a step width out of range gets its loads
and the window's warning in the warning column. Every measurement must be wholly a number:
"12ft", "1/2" or "1,234.5" is refused, naming the column and the text.

One escalator:
  --projection P   length of the horizontal projection: feet (metric: metres)
  --rise R         total rise: feet (metric: metres)
  --width W        width of the escalator step: inches (metric: millimetres)
  --degrees D      angle of inclination: whole degrees
  --minutes M      and minutes (default 0)
  --id TEXT        identification of the escalator
  --units UNITS    imperial (the default) or metric

A fleet:
  --csv FILE       one escalator a row; - reads standard input. The header row names the
                   columns: id, units, projection, rise, width, degrees, minutes, in any order;
                   id, units and minutes may be left out. Separated by commas, semicolons
                   (numbers with a decimal comma, 30,5; a point between groups of three digits,
                   1.000, is refused as a thousands separator) or tabs (either mark, but 1,500
                   and 1.500 are refused).
  --units UNITS    the units of the rows that name none (default imperial)
  --encoding ENC   utf-8, utf-16 or windows-1252. Without it: UTF-8 or UTF-16 by a byte-order
                   mark, else UTF-8 where the file is UTF-8 text, else Windows-1252 (said on
                   standard error)

Output:
  --format FORMAT  table (the default), csv, json or xlsx (with --output; where this build
                   has it)
  -o, --output FILE  write the output to FILE, whole or not at all (- is standard output)
  --decimal-comma  write numbers with a decimal comma (10015,3). Table and CSV output do so by
                   themselves for a semicolon-separated file; JSON keeps the point
  --quiet          no summary line on standard error

Every row of the output starts with the row of the file it was read from ("row"; empty for the
escalator of the options).
)";

constexpr std::string_view kReportHelp
    = R"(Usage: kestrune-calc report --pdf OUT.pdf --projection P --rise R --width W --degrees D
                           [--minutes M] [--id TEXT] [--units imperial|metric]
                           [--date YYYY-MM-DD] [--paper letter|a4] [--quiet]
       kestrune-calc report --pdf OUT.pdf --csv FILE [--units imperial|metric]
                           [--encoding ENCODING] [--date YYYY-MM-DD] [--paper letter|a4]
                           [--quiet]

Writes the window's printed results report as a PDF file: one page per escalator, with the same
lines, fonts and columns as Print Data. The escalators and their options are those of the loads
command. A refused escalator gets no page (its message goes to standard error). The file is
written whole or not at all.

  --pdf FILE       the PDF file to write (- is standard output); an existing device, pipe or
                   folder of that name is refused
  --encoding ENC   the CSV file's encoding, as for loads
  --quiet          no summary line on standard error
  --date DATE      the date the report shows (default: today), in the user's short date format
  --paper PAPER    letter or a4 (default: letter where the user's locale measures in US units,
                   a4 elsewhere)
)";

constexpr std::string_view kTriangleHelp
    = R"(Usage: kestrune-calc triangle TWO-OF --a A --b B --h H --angle-a A --angle-b B
                            [--format FORMAT] [-o FILE] [--decimal-comma]

Solves a right-angled triangle as the triangle window does: C is the right angle, a and b are the
legs (a opposite A), h is the hypotenuse. Give two sides, or one acute angle and one side; prints
the three sides and the angles A and B in whole degrees and minutes.

  --a A, --b B, --h H   sides, in any one unit of length
  --angle-a ANGLE       the angle A, in degrees (30), or degrees and minutes (30:15), minutes
                        below 60
  --angle-b ANGLE       the angle B, the same way
  --format FORMAT       table (the default), csv, json or xlsx
  -o, --output FILE     write the output to FILE, whole or not at all
  --decimal-comma       write the sides with a decimal comma

Every value must be wholly a number. A triangle that cannot be right-angled is refused with the
window's message and the value at fault.
)";

} // namespace

std::string helpText(Command command)
{
    switch (command) {
    case Command::Loads:
        return std::string(kLoadsHelp);
    case Command::Report:
        return std::string(kReportHelp);
    case Command::Triangle:
        return std::string(kTriangleHelp);
    case Command::Help:
    case Command::Version:
        break;
    }
    return std::string(kOverview);
}

} // namespace kestrune
