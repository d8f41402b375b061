// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/resultstable.h"

#include "core/numbers.h"

#include <cmath>
#include <optional>

namespace kestrune {

std::vector<TableRow> ResultsTable(
    const ReportFields &fields, UnitSystem entered, std::string_view date)
{
    const ReportColumn &imp = fields.imperial;
    const ReportColumn &met = fields.metric;
    return {
        { "Escalator ID", fields.identification },
        { "Date", std::string(date) },
        { "Units entered", entered == UnitSystem::Imperial ? "Imperial" : "Metric" },
        { "Angle of inclination", fields.degrees, "Deg", fields.minutes, "Min" },
        { "Cotangent of the angle of inclination", fields.cotangent },
        { "Quantity", "Imperial", "Unit", "Metric", "Unit" },
        { "Length of the horizontal projection", imp.projection, "Ft", met.projection, "M" },
        { "Total rise", imp.rise, "Ft", met.rise, "M" },
        { "Width of the escalator step", imp.width, "In", met.width, "MM" },
        { "Structural rated load", imp.structural, "Lb", met.structural, "Kg" },
        { "Machinery rated load", imp.machinery, "Lb", met.machinery, "Kg" },
        { "Brake rated load - static", imp.brakeStatic, "Lb", met.brakeStatic, "Kg" },
        { "Brake rated load - running", imp.brakeRunning, "Lb", met.brakeRunning, "Kg" },
    };
}

namespace {

// A cell of one line: a tab or a line break typed into the identification would split the row.
std::string oneLine(std::string text)
{
    for (char &c : text) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

std::string escapedHtml(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::string TabSeparated(const std::vector<TableRow> &rows)
{
    std::string text;
    for (const TableRow &row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) text += '\t';
            text += oneLine(row[i]);
        }
        text += '\n';
    }
    return text;
}

std::string HtmlTable(const std::vector<TableRow> &rows)
{
    std::string html = "<html xmlns:x=\"urn:schemas-microsoft-com:office:excel\">"
                       "<head><meta charset=\"utf-8\"></head><body><table>\n";
    for (const TableRow &row : rows) {
        html += "<tr>";
        for (const std::string &cell : row) {
            const std::optional<double> value = TextToNumber(cell);
            if (value && std::isfinite(*value)) {
                const std::string number = NumberToText(*value);
                html += "<td sdval=\"";
                html += number;
                html += "\" sdnum=\"1033;\" x:num=\"";
                html += number;
                html += "\">";
            } else {
                html += "<td>";
            }
            html += escapedHtml(oneLine(cell)) + "</td>";
        }
        html += "</tr>\n";
    }
    html += "</table></body></html>\n";
    return html;
}

} // namespace kestrune
