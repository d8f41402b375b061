// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report.h"

#include "core/appinfo.h"

#include <algorithm>

namespace kestrune {

namespace {

constexpr double kFooterPoints = 10;
constexpr std::size_t kLabelWidth = 40;

std::string blanks(std::size_t count)
{
    return std::string(count, ' ');
}

// Four blanks, the label padded to 40 characters, one blank, then the value and its unit.
std::string dataLine(std::string_view label, std::string_view value, std::string_view unit = {})
{
    std::string line = blanks(4);
    line += label;
    line += blanks(kLabelWidth - std::min(label.size(), kLabelWidth)) + ' ';
    line += value;
    line += unit;
    return line;
}

struct Units {
    std::string_view length, width, mass;
};

// A unit system's heading, then its measurements and loads, each group followed by blank lines.
void addSection(std::vector<ReportLine> &lines, std::string_view heading, const ReportColumn &c,
    const Units &units)
{
    lines.push_back({ blanks(29) + std::string(heading), true });
    const struct {
        std::string_view label, value, unit;
    } rows[] = {
        {},
        { "Length of the horizontal projection:", c.projection, units.length },
        { "Total rise:", c.rise, units.length },
        { "Width of the escalator step:", c.width, units.width },
        {},
        { "Structural rated load:", c.structural, units.mass },
        { "Machinery rated load:", c.machinery, units.mass },
        { "Brake rated load - static:", c.brakeStatic, units.mass },
        { "Brake rated load - running:", c.brakeRunning, units.mass },
        {},
        {},
    };
    for (const auto &row : rows)
        lines.push_back(
            { row.label.empty() ? std::string() : dataLine(row.label, row.value, row.unit),
                false });
}

} // namespace

std::vector<ReportLine> ReportLines(
    const ReportFields &fields, UnitSystem entered, std::string_view date)
{
    const bool imperial = entered == UnitSystem::Imperial;
    std::vector<ReportLine> lines {
        { {}, false },
        { {}, false },
        { blanks(21) + "Escalator Rated Load Results", true },
        { {}, true },
        // The identification's label keeps a blank of its own, so it starts in column 36.
        { blanks(4) + "Escalator Identification: " + blanks(5) + fields.identification, true },
        { dataLine("Date:", date), true },
        { dataLine(
              "Angle of inclination:", fields.degrees + " Degrees " + fields.minutes, " Minutes"),
            true },
        { dataLine("Cotangent of the angle of inclination:", fields.cotangent), true },
        { {}, true },
    };
    addSection(lines, imperial ? "Imperial " : "Imperial (Converted from Metric)", fields.imperial,
        { " Feet", " Inches", " Lb" });
    addSection(lines, imperial ? "Metric (Converted from Imperial)" : "Metric ", fields.metric,
        { " Meters", " Millimeters", " Kg" });
    lines.push_back({ blanks(6) + "Another timesaving program from " + std::string(kWebAddress),
        false, kFooterPoints });
    return lines;
}

} // namespace kestrune
