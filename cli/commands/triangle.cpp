// SPDX-License-Identifier: GPL-3.0-or-later
// kestrune-calc triangle: the row of the triangle window that knows the two quantities given
// solves the triangle, and an angle row hands its two sides over to the side row that knows them,
// as the window's buttons do; the output is the three sides and the angle display.

#include "core/triangle.h"
#include "cli/commands/commands.h"
#include "cli/input/boxtext.h"
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

// The triangle window's boxes as a row of texts: each row's boxes by quantity, and the angle
// display. A box keeps the first characters of a text, as many as it holds, counted as the
// window's boxes count them; a write to an input blanks its row's result and the angle display.
class TriangleTexts final : public TriangleBoxes {
public:
    std::map<std::pair<int, TriangleQuantity>, std::string> boxes;
    std::array<std::string, 6> angles;
    std::optional<TriangleNotice> notice;

    std::string text(const TriangleRowRule &row, TriangleQuantity quantity) const override
    {
        const auto found = boxes.find({ row.number, quantity });
        return found != boxes.end() ? found->second : std::string();
    }
    std::string kept(
        const TriangleRowRule &row, TriangleQuantity quantity, std::string_view text) const override
    {
        const std::size_t length = TriangleBoxLength(row, quantity);
        if (length == 0) return std::string(text);
        return FirstCharacters(text, length);
    }
    void write(
        const TriangleRowRule &row, TriangleQuantity quantity, std::string_view text) override
    {
        boxes[{ row.number, quantity }] = kept(row, quantity, text);
        if (quantity == row.found) return;
        boxes.erase({ row.number, row.found });
        angles = {};
    }
    void showAngle(std::size_t index, std::string_view text) override { angles.at(index) = text; }
    void tell(const TriangleNotice &told) override
    {
        if (!notice) notice = told;
    }
};

struct Given {
    std::map<TriangleQuantity, std::string> sides;
    char vertex = 0; // the angle given, 'A' or 'B'
    std::string degrees, minutes;
};

const TriangleRowRule &rowFor(const Given &given)
{
    const auto *row = std::find_if(
        kTriangleRows.begin(), kTriangleRows.end(), [&](const TriangleRowRule &rule) {
            return rule.vertex == given.vertex && given.sides.contains(rule.known[0])
                && (rule.angleRow() || given.sides.contains(rule.known[1]));
        });
    // Options allow two sides, or an angle and a side: some row always knows them.
    return row != kTriangleRows.end() ? *row : kTriangleRows.front();
}

std::string sideQuantity(TriangleQuantity side)
{
    return side == TriangleQuantity::h ? "hypotenuse h"
                                       : "side " + std::string(1, static_cast<char>(side));
}

std::string shownText(std::string_view text)
{
    return text.empty() ? "empty" : std::string(text);
}

// Why a row refuses its triangle, as the window's message does not say: the value at fault, as
// the row's boxes hold it, and the rule it breaks.
std::string refusalReason(const TriangleNotice &notice, const TriangleTexts &texts)
{
    const TriangleRowRule &row = *notice.row;
    auto shown = [&](TriangleQuantity quantity) { return shownText(texts.text(row, quantity)); };
    switch (notice.fault) {
    case TriangleFault::angleOutOfBounds: {
        const std::string minutes = texts.text(row, TriangleQuantity::minutes);
        return " The angle " + std::string(1, row.vertex) + " (" + shown(TriangleQuantity::degrees)
            + " degrees" + (minutes.empty() ? std::string() : " " + minutes + " minutes")
            + ") is not above 0 and below 90 degrees.";
    }
    case TriangleFault::sideNotPositive:
        return " The " + sideQuantity(notice.side) + " (" + shown(notice.side)
            + ") is not above 0.";
    case TriangleFault::hypotenuseNotLonger:
        return " The hypotenuse h (" + shown(TriangleQuantity::h) + ") is not longer than the "
            + sideQuantity(row.known[0]) + " (" + shown(row.known[0]) + ").";
    default:
        return {};
    }
}

// The given texts go into the row's boxes, each read strictly first: "3,5" or "12ft" is no
// number, though the box would read 3 or 12 of it. The refusal is the window's, with the text at
// fault and why.
void enterGiven(
    const Given &given, const TriangleRowRule &row, TriangleTexts &texts, BoxNotices &notices)
{
    const std::string refusal = TriangleMessage(TriangleFault::sideNotPositive).prompt;
    auto enter = [&](TriangleQuantity quantity, const std::string &column, const std::string &name,
                     std::string text) {
        if (std::optional<Notice> refused
            = ReadStrictNumber({ column, name }, text, DecimalMark::Point, {});
            refused && !notices.error) {
            refused->text = refusal + " " + refused->text;
            notices.error = std::move(refused);
        }
        texts.write(row, quantity,
            BoxText(
                { column, name, TriangleBoxLength(row, quantity) }, text, notices, kNothingSolved));
    };
    for (const auto &[side, typed] : given.sides)
        enter(side, std::string(1, static_cast<char>(side)), sideQuantity(side), typed);
    if (!row.angleRow()) return;
    const std::string column = row.vertex == 'A' ? "angle-a" : "angle-b";
    const std::string angle = std::string(" of the angle ") + row.vertex;
    enter(TriangleQuantity::degrees, column, "degrees" + angle, given.degrees);
    enter(TriangleQuantity::minutes, column, "minutes" + angle, given.minutes);
    // 30:75 is no way to write 31 degrees 15 minutes.
    if (!notices.error && ParseNumber(texts.text(row, TriangleQuantity::minutes)) >= 60)
        notices.error = Notice { column,
            "The minutes" + angle + " (" + given.minutes
                + ") are 60 or more: an angle's minutes are below 60. "
                + std::string(kNothingSolved) };
}

} // namespace

int RunTriangle(const Options &options, std::ostream &out, std::ostream &err)
{
    Given given;
    if (options.sideA) given.sides[TriangleQuantity::a] = *options.sideA;
    if (options.sideB) given.sides[TriangleQuantity::b] = *options.sideB;
    if (options.hypotenuse) given.sides[TriangleQuantity::h] = *options.hypotenuse;
    if (const std::optional<std::string> &angle
        = options.angleA ? options.angleA : options.angleB) {
        given.vertex = options.angleA ? 'A' : 'B';
        // Degrees, or degrees and minutes: 30 or 30:15.
        const std::size_t colon = angle->find(':');
        given.degrees = angle->substr(0, colon);
        if (colon != std::string::npos) given.minutes = angle->substr(colon + 1);
    }

    const TriangleRowRule &row = rowFor(given);
    TriangleTexts texts;
    BoxNotices notices;
    enterGiven(given, row, texts, notices);
    if (!notices.error) SolveTriangle(row, texts);
    if (const std::optional<TriangleNotice> &told = texts.notice) {
        // No angle follows from a horizontal leg of 0, but the side found stands.
        Notice notice { {}, TriangleMessage(told->fault).prompt + refusalReason(*told, texts) };
        if (told->fault == TriangleFault::anglesUnknown)
            notices.warnings.push_back(std::move(notice));
        else
            notices.error = std::move(notice);
    }

    std::vector<OutputColumn> columns;
    for (const std::string_view name : { "a", "b", "h", "angle_a_degrees", "angle_a_minutes",
             "angle_b_degrees", "angle_b_minutes" })
        columns.push_back({ name, true, true });
    columns.push_back({ "warning", false, false, true });
    columns.push_back({ "error", false, false, true });
    // Each side as the row that knows or finds it shows it; an angle row finds the third side in
    // the side row it hands over to.
    std::vector<std::string> cells;
    const TriangleRowRule &sideRow
        = row.angleRow() ? kTriangleRows.at(static_cast<std::size_t>(row.handsOverTo - 1)) : row;
    for (const TriangleQuantity side :
        { TriangleQuantity::a, TriangleQuantity::b, TriangleQuantity::h }) {
        const bool inRow = side == row.found || side == row.known[0]
            || (!row.angleRow() && side == row.known[1]);
        cells.push_back(texts.text(inRow ? row : sideRow, side));
    }
    cells.insert(cells.end(), texts.angles.begin(), texts.angles.begin() + 4);
    cells.push_back(JoinedText(notices.warnings));
    const std::optional<Notice> &error = notices.error;
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
