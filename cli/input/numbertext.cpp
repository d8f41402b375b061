// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/input/numbertext.h"

#include "cli/input/escalatorentry.h"
#include "core/numbers.h"

#include <algorithm>
#include <cctype>

namespace kestrune {

namespace {

bool isDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Whether `mark` stands in `number` (without blanks) between digits as a thousands separator
// would: 1 to 3 digits before the first, not starting with 0, and groups of exactly 3 digits after
// each ("1.000", "12,500", "1.234.567"; not "0.125", "1.5", "1.2345").
bool groupsThousands(std::string_view number, char mark)
{
    if (!number.empty() && (number.front() == '+' || number.front() == '-'))
        number.remove_prefix(1);
    const std::size_t first = number.find(mark);
    if (first == std::string_view::npos || first == 0 || first > 3 || number.front() == '0')
        return false;
    if (!std::all_of(number.begin(), number.begin() + static_cast<std::ptrdiff_t>(first), isDigit))
        return false;
    std::size_t at = first;
    while (at < number.size() && number[at] == mark) {
        const std::string_view group = number.substr(at + 1, 3);
        if (group.size() != 3 || !std::all_of(group.begin(), group.end(), isDigit)) return false;
        at += 4;
    }
    // The groups end the integer part: the text ends, or (with the other mark) decimals follow.
    return at == number.size() || !isDigit(number[at]);
}

} // namespace

DecimalMark decimalMarkOf(char separator)
{
    switch (separator) {
    case ';':
        return DecimalMark::Comma;
    case '\t':
        return DecimalMark::Either;
    default:
        break;
    }
    return DecimalMark::Point;
}

std::optional<Notice> ReadStrictNumber(
    const NumberField &field, std::string &text, DecimalMark mark, std::string_view refusal)
{
    const std::string_view number = trimmed(text);
    if (number.empty()) return std::nullopt;
    const bool commaAllowed = mark != DecimalMark::Point;
    const std::string named
        = "The text \"" + std::string(text) + "\" for the " + std::string(field.quantity) + " ";
    const std::string examples = commaAllowed ? "(30,5 or 1000)" : "(30.5 or 1000)";
    auto refuse = [&](std::string why) {
        if (refusal.empty()) why.pop_back(); // the blank before the refusal
        return Notice { std::string(field.column), named + why + std::string(refusal) };
    };

    const bool thousandsByPoint = mark != DecimalMark::Point && groupsThousands(number, '.');
    const bool thousandsByComma = mark == DecimalMark::Either && groupsThousands(number, ',');
    if (thousandsByPoint || thousandsByComma)
        return refuse(
            "may hold a thousands separator: write the number without one " + examples + ". ");

    std::string read(number);
    const std::size_t comma = read.find(',');
    if (commaAllowed && comma != std::string::npos && read.find(',', comma + 1) == std::string::npos
        && read.find('.') == std::string::npos)
        read[comma] = '.';
    if (!TextToNumber(read))
        return refuse("is not a number: write it as digits alone " + examples
            + ", without units, thousands separators or other characters. ");
    // The text the box is given keeps its blanks, which the window reads past as well.
    if (read != number)
        text.replace(static_cast<std::size_t>(number.data() - text.data()), number.size(), read);
    return std::nullopt;
}

} // namespace kestrune
