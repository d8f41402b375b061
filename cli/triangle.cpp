// SPDX-License-Identifier: GPL-3.0-or-later
// kestrune-calc triangle: the row of the triangle window that knows the two quantities given
// solves the triangle, and an angle row hands its two sides over to the side row that knows them,
// as the window's buttons do; the output is the three sides and the angle display.

#include "core/triangle.h"
#include "cli/boxtext.h"
#include "cli/commands.h"
#include "cli/input/escalators.h"
#include "cli/input/numbertext.h"
#include "cli/output/xlsx.h"
#include "core/numbers.h"

#include <algorithm>
#include <map>
#include <ostream>

namespace kestrune {

namespace {

constexpr std::string_view kNothingSolved = "The triangle was not solved.";

struct Given {
    std::map<Side, std::string> sides;
    std::optional<Vertex> angle;
    std::string degrees, minutes;
};

std::string_view sideName(Side side)
{
    switch (side) {
    case Side::a:
        return "a";
    case Side::b:
        return "b";
    case Side::h:
        break;
    }
    return "h";
}

const TriangleRowRule &rowFor(const Given &given)
{
    const auto *row = std::find_if(
        kTriangleRows.begin(), kTriangleRows.end(), [&](const TriangleRowRule &rule) {
            if (rule.angleRow)
                return given.angle == rule.angle && given.sides.contains(rule.known[0]);
            return !given.angle && given.sides.contains(rule.known[0])
                && given.sides.contains(rule.known[1]);
        });
    // Options allow two sides, or an angle and a side: some row always knows them.
    return row != kTriangleRows.end() ? *row : kTriangleRows.front();
}

std::string sideQuantity(Side side)
{
    return side == Side::h ? "hypotenuse h" : "side " + std::string(sideName(side));
}

std::string shownText(std::string_view text)
{
    return text.empty() ? "empty" : std::string(text);
}

// Why a row refuses its triangle, as the window's message does not say: the value at fault and
// the rule it breaks. `first` and `second` are the texts of the side row's boxes; an angle row
// refuses for its angle alone.
std::string refusalReason(const TriangleRowRule &row, std::string_view first,
    std::string_view second, std::string_view degrees = {}, std::string_view minutes = {})
{
    if (row.angleRow) {
        const std::string vertex = row.angle == Vertex::A ? "A" : "B";
        const std::string angle = shownText(degrees) + " degrees"
            + (minutes.empty() ? std::string() : " " + std::string(minutes) + " minutes");
        return " The angle " + vertex + " (" + angle + ") is not above 0 and below 90 degrees.";
    }
    const std::array<std::string_view, 2> texts { first, second };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (ParseNumber(texts[i]) <= 0)
            return " The " + sideQuantity(row.known[i]) + " (" + shownText(texts[i])
                + ") is not above 0.";
    }
    return " The hypotenuse h (" + shownText(second) + ") is not longer than the "
        + sideQuantity(row.known[0]) + " (" + shownText(first) + ").";
}

constexpr std::string_view kNoRightTriangle = "Right Triangle?";

// The window's refusal of a triangle, as the solver words it for a side of 0.
const std::string &noRightTriangle()
{
    static const std::string text
        = SolveSideRow(kTriangleRows.front(), "0", "0").problem.value_or(Message {}).prompt;
    return text;
}

struct Solution {
    std::map<Side, std::string> sides;
    std::array<std::string, 4> angles; // A degrees, A minutes, B degrees, B minutes
    BoxNotices notices;
};

// Solves the side row from the two sides it knows, as its boxes hold them in `sides`.
void solveSideRow(const TriangleRowRule &row, Solution &out, std::map<Side, std::string> sides)
{
    const RowSolution found = SolveSideRow(row, sides[row.known[0]], sides[row.known[1]]);
    if (found.problem) {
        std::string text = found.problem->prompt;
        if (found.problem->title == kNoRightTriangle)
            text += refusalReason(row, sides[row.known[0]], sides[row.known[1]]);
        out.notices.error = Notice { {}, std::move(text) };
        return;
    }
    out.sides[row.found] = found.text;
    sides[row.found] = found.text;
    // The angles come from the legs as the side row's boxes hold them.
    const AngleDisplay display
        = ShowAngles(ParseNumber(sides[Side::a]), ParseNumber(sides[Side::b]));
    if (display.problem) {
        // No angle follows from a horizontal leg of 0, but the side found stands.
        if (display.problem->title == "Angles Unknown")
            out.notices.warnings.push_back({ {}, display.problem->prompt });
        else
            out.notices.error = Notice { {}, display.problem->prompt };
        return;
    }
    std::copy_n(display.texts.begin(), out.angles.size(), out.angles.begin());
}

Solution solve(const Given &given)
{
    Solution out;
    const TriangleRowRule &row = rowFor(given);
    const std::size_t sideLength = row.angleRow ? kAngleRowSideLength : kSideRowSideLength;
    // Each text is read strictly first: "3,5" or "12ft" is no side, though the box would read 3
    // or 12 of it. The refusal is the window's, with the text at fault and why.
    auto strict = [&](const std::string &column, const std::string &quantity, std::string text) {
        if (std::optional<Notice> refused
            = ReadStrictNumber({ column, quantity }, text, DecimalMark::Point, {});
            refused && !out.notices.error) {
            refused->text = noRightTriangle() + " " + refused->text;
            out.notices.error = std::move(refused);
        }
        return text;
    };
    for (const auto &[side, typed] : given.sides) {
        const std::string column(sideName(side));
        const std::string quantity = sideQuantity(side);
        const std::string text = strict(column, quantity, typed);
        out.sides[side]
            = BoxText({ column, quantity, sideLength }, text, out.notices, kNothingSolved);
    }
    std::string degrees;
    std::string minutes;
    if (given.angle) {
        const std::string column = given.angle == Vertex::A ? "angle-a" : "angle-b";
        const std::string angle = given.angle == Vertex::A ? "angle A" : "angle B";
        const std::string degreesQuantity = "degrees of the " + angle;
        const std::string minutesQuantity = "minutes of the " + angle;
        degrees = BoxText({ column, degreesQuantity, kTriangleDegreesLength },
            strict(column, degreesQuantity, given.degrees), out.notices, kNothingSolved);
        minutes = BoxText({ column, minutesQuantity, kTriangleMinutesLength },
            strict(column, minutesQuantity, given.minutes), out.notices, kNothingSolved);
        // 30:75 is no way to write 31 degrees 15 minutes.
        if (!out.notices.error && ParseNumber(minutes) >= 60)
            out.notices.error = Notice { column,
                "The " + minutesQuantity + " (" + given.minutes
                    + ") are 60 or more: an angle's minutes are below 60. "
                    + std::string(kNothingSolved) };
    }
    if (out.notices.error) return out;

    if (!row.angleRow) {
        solveSideRow(row, out, out.sides);
        return out;
    }

    const RowSolution found = SolveAngleRow(row, degrees, minutes, out.sides[row.known[0]]);
    if (found.problem) {
        std::string text = found.problem->prompt;
        if (found.problem->title == kNoRightTriangle)
            text += refusalReason(row, {}, {}, degrees, minutes);
        out.notices.error = Notice { {}, std::move(text) };
        return out;
    }
    out.sides[row.found] = found.text;

    // The known side and the side found go into the side row that knows that pair, whose boxes
    // keep their first characters.
    const TriangleRowRule &sideRow
        = kTriangleRows.at(static_cast<std::size_t>(row.handsOverTo - 1));
    std::map<Side, std::string> handed { { row.known[0], out.sides[row.known[0]] },
        { row.found, found.text } };
    if (const std::optional<Message> refusal
        = CheckHandOver(handed.at(sideRow.known[0]), handed.at(sideRow.known[1]))) {
        out.notices.error = Notice { {}, refusal->prompt };
        return out;
    }
    for (auto &[side, text] : handed)
        text = KeptText(text, kSideRowSideLength);
    solveSideRow(sideRow, out, std::move(handed));
    return out;
}

} // namespace

int RunTriangle(const Options &options, std::ostream &out, std::ostream &err)
{
    Given given;
    if (options.sideA) given.sides[Side::a] = *options.sideA;
    if (options.sideB) given.sides[Side::b] = *options.sideB;
    if (options.hypotenuse) given.sides[Side::h] = *options.hypotenuse;
    if (const std::optional<std::string> &angle
        = options.angleA ? options.angleA : options.angleB) {
        given.angle = options.angleA ? Vertex::A : Vertex::B;
        // Degrees, or degrees and minutes: 30 or 30:15.
        const std::size_t colon = angle->find(':');
        given.degrees = angle->substr(0, colon);
        if (colon != std::string::npos) given.minutes = angle->substr(colon + 1);
    }

    const Solution solution = solve(given);
    std::vector<OutputColumn> columns;
    for (const std::string_view name : { "a", "b", "h", "angle_a_degrees", "angle_a_minutes",
             "angle_b_degrees", "angle_b_minutes" })
        columns.push_back({ name, true, true });
    columns.push_back({ "warning", false, false, true });
    columns.push_back({ "error", false, false, true });
    std::vector<std::string> cells;
    for (const Side side : { Side::a, Side::b, Side::h }) {
        const auto found = solution.sides.find(side);
        cells.push_back(found != solution.sides.end() ? found->second : std::string());
    }
    cells.insert(cells.end(), solution.angles.begin(), solution.angles.end());
    cells.push_back(JoinedText(solution.notices.warnings));
    const std::optional<Notice> &error = solution.notices.error;
    cells.push_back(error ? error->text : std::string());

    std::unique_ptr<RowWriter> writer = options.format == OutputFormat::Xlsx
        ? makeXlsxWriter(out, columns, "Triangle")
        : makeRowWriter(
            options.format, out, columns, CsvStyle { ',', false, options.decimalComma });
    writer->write(cells);
    writer->finish();
    if (!error) return 0;
    err << messageLine(options, 0, error->column, error->text);
    return 1;
}

} // namespace kestrune
