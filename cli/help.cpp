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
that cannot be read or written, a CSV file without its header row.

See kestrune-calc(1) for examples.
)";

constexpr std::string_view kLoadsHelp
    = R"(Usage: kestrune-calc loads --projection P --rise R --width W --degrees D [--minutes M]
                          [--id TEXT] [--units imperial|metric] [--format FORMAT]
       kestrune-calc loads --csv FILE [--units imperial|metric] [--format FORMAT]

The cotangent of the angle of inclination and the four rated loads in pounds and kilograms, as
the window's boxes show them after Calculate in the unit system given. A refused escalator gets
the window's message in the error column and no loads; a step width out of range gets its loads
and the window's warning in the warning column.

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
                   id, units and minutes may be left out. Comma- or semicolon-separated (with
                   semicolons, a decimal comma may be used), UTF-8.
  --units UNITS    the units of the rows that name none (default imperial)

Output:
  --format FORMAT  table (the default), csv or json
)";

constexpr std::string_view kReportHelp
    = R"(Usage: kestrune-calc report --pdf OUT.pdf --projection P --rise R --width W --degrees D
                           [--minutes M] [--id TEXT] [--units imperial|metric]
                           [--date YYYY-MM-DD] [--paper letter|a4]
       kestrune-calc report --pdf OUT.pdf --csv FILE [--units imperial|metric]
                           [--date YYYY-MM-DD] [--paper letter|a4]

Writes the window's printed results report as a PDF file: one page per escalator, with the same
lines, fonts and columns as Print Data. The escalators and their options are those of the loads
command. A refused escalator gets no page (its message goes to standard error). The file is
written whole or not at all.

  --pdf FILE       the PDF file to write
  --date DATE      the date the report shows (default: today), in the user's short date format
  --paper PAPER    letter or a4 (default: letter where the user's locale measures in US units,
                   a4 elsewhere)
)";

constexpr std::string_view kTriangleHelp
    = R"(Usage: kestrune-calc triangle TWO-OF --a A --b B --h H --angle-a A --angle-b B
                            [--format FORMAT]

Solves a right-angled triangle as the triangle window does: C is the right angle, a and b are the
legs (a opposite A), h is the hypotenuse. Give two sides, or one acute angle and one side; prints
the three sides and the angles A and B in whole degrees and minutes.

  --a A, --b B, --h H   sides, in any one unit of length
  --angle-a ANGLE       the angle A, in degrees (30), or degrees and minutes (30:15)
  --angle-b ANGLE       the angle B, the same way
  --format FORMAT       table (the default), csv or json
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
