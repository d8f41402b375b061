// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output/forms.h"

#include "cli/output/displaywidth.h"
#include "core/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace kestrune {

namespace {

// A table cell takes at most this many columns of the terminal (the last column excepted), so that
// one long text does not push every row of a table off the screen; CSV and JSON keep every
// character.
constexpr std::size_t kMaxTableCellWidth = 32;

// One line of a table: line breaks and other control characters show as blanks, and a text
// wider than a cell is cut to its first characters and an ellipsis, never inside a character nor
// before the marks that combine with the last one kept.
struct TableCell {
    std::string text;
    std::size_t width = 0; // in columns of the terminal
};

TableCell tableText(std::string_view text, bool cut)
{
    const bool tooWide = cut && DisplayWidth(text) > kMaxTableCellWidth;
    TableCell cell;
    std::string &shown = cell.text;
    shown.reserve(text.size());
    std::size_t &width = cell.width;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const char32_t character = NextCharacter(text, i);
        const std::size_t columns = CharacterWidth(character);
        if (tooWide && width + columns > kMaxTableCellWidth - 1) {
            shown += "\u2026";
            break;
        }
        width += columns;
        if (character < 0x20 || character == 0x7F)
            shown += ' ';
        else
            shown.append(text.substr(start, i - start));
    }
    return cell;
}

// A result's text with a decimal comma where the output takes one (6599,40), for spreadsheets in
// locales that read "6599.40" as text or as 659940.
std::string inDecimalStyle(const OutputColumn &column, const std::string &text, bool decimalComma)
{
    if (!decimalComma || !column.withValue) return text;
    std::string written = text;
    std::replace(written.begin(), written.end(), '.', ',');
    return written;
}

std::vector<std::string> headerOf(const std::vector<OutputColumn> &columns)
{
    std::vector<std::string> header;
    header.reserve(columns.size());
    for (const OutputColumn &column : columns)
        header.emplace_back(column.name);
    return header;
}

class TableWriter : public RowWriter {
public:
    TableWriter(std::ostream &out, std::vector<OutputColumn> columns, bool decimalComma)
        : m_out(out), m_columns(std::move(columns)), m_decimalComma(decimalComma)
    {
        std::vector<TableCell> header;
        for (const std::string &name : headerOf(m_columns))
            header.push_back({ name, DisplayWidth(name) });
        m_rows.push_back(std::move(header));
    }

    void write(std::span<const std::string> cells) override
    {
        std::vector<TableCell> row;
        row.reserve(cells.size());
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const bool last = i + 1 == cells.size();
            row.push_back(tableText(inDecimalStyle(m_columns[i], cells[i], m_decimalComma),
                !last && !m_columns[i].whole));
        }
        m_rows.push_back(std::move(row));
    }

    void finish() override
    {
        std::vector<std::size_t> widths(m_columns.size(), 0);
        for (const std::vector<TableCell> &row : m_rows) {
            for (std::size_t i = 0; i < row.size(); ++i)
                widths[i] = std::max(widths[i], row[i].width);
        }
        std::string line;
        for (const std::vector<TableCell> &row : m_rows) {
            line.clear();
            for (std::size_t i = 0; i < row.size(); ++i) {
                const std::size_t padding = widths[i] - row[i].width;
                if (i > 0) line += "  ";
                if (m_columns[i].alignRight) line.append(padding, ' ');
                line += row[i].text;
                if (!m_columns[i].alignRight) line.append(padding, ' ');
            }
            line.erase(line.find_last_not_of(' ') + 1);
            m_out << line << '\n';
        }
        m_rows.clear();
        m_out.flush();
    }

private:
    std::ostream &m_out;
    std::vector<OutputColumn> m_columns;
    std::vector<std::vector<TableCell>> m_rows;
    bool m_decimalComma;
};

class CsvWriter : public RowWriter {
public:
    CsvWriter(std::ostream &out, const std::vector<OutputColumn> &columns, CsvStyle style)
        : m_out(out), m_style(style), m_columns(columns)
    {
        if (m_style.byteOrderMark) m_out << "\xEF\xBB\xBF";
        m_line.clear();
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0) m_line += m_style.separator;
            appendCell(columns[i].name);
        }
        m_out << m_line << '\n';
    }

    void write(std::span<const std::string> cells) override
    {
        m_line.clear();
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) m_line += m_style.separator;
            appendCell(inDecimalStyle(m_columns[i], cells[i], m_style.decimalComma));
        }
        m_line += '\n';
        m_out << m_line;
    }

    void finish() override { m_out.flush(); }

private:
    // Quoted where a reader would otherwise split the cell or drop its outer blanks.
    void appendCell(std::string_view cell)
    {
        const char separator = m_style.separator;
        const bool split = std::any_of(cell.begin(), cell.end(),
            [separator](char c) { return c == separator || c == '"' || c == '\r' || c == '\n'; });
        const bool quote = split
            || (!cell.empty()
                && (cell.front() == ' ' || cell.front() == '\t' || cell.back() == ' '
                    || cell.back() == '\t'));
        if (!quote) {
            m_line += cell;
            return;
        }
        m_line += '"';
        for (const char c : cell) {
            if (c == '"') m_line += '"';
            m_line += c;
        }
        m_line += '"';
    }

    std::ostream &m_out;
    CsvStyle m_style;
    std::vector<OutputColumn> m_columns;
    std::string m_line;
};

void appendJsonString(std::string &out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                out += "\\u00";
                out += kHex[byte >> 4];
                out += kHex[byte & 0x0F];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

class JsonWriter : public RowWriter {
public:
    JsonWriter(std::ostream &out, std::vector<OutputColumn> columns)
        : m_out(out), m_columns(std::move(columns))
    {
        for (const OutputColumn &column : m_columns) {
            std::string key;
            appendJsonString(key, column.name);
            key += ": ";
            m_keys.push_back(key);
            key.clear();
            appendJsonString(key, std::string(column.name) + "_value");
            key += ": ";
            m_valueKeys.push_back(key);
        }
    }

    void write(std::span<const std::string> cells) override
    {
        m_text.clear();
        m_text += m_first ? "[\n  {" : ",\n  {";
        m_first = false;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) m_text += ", ";
            m_text += m_keys[i];
            if (m_columns[i].count) {
                m_text += cells[i].empty() ? "null" : cells[i];
                continue;
            }
            appendJsonString(m_text, cells[i]);
            if (m_columns[i].withValue) {
                m_text += ", ";
                m_text += m_valueKeys[i];
                m_text += jsonNumber(cells[i]);
            }
        }
        m_text += '}';
        m_out << m_text;
    }

    void finish() override
    {
        m_out << (m_first ? "[]\n" : "\n]\n");
        m_out.flush();
    }

private:
    std::ostream &m_out;
    std::vector<OutputColumn> m_columns;
    std::vector<std::string> m_keys, m_valueKeys; // written once, with their quotes and colon
    std::string m_text;
    bool m_first = true;
};

// Whether a text is written as JSON writes a decimal number, but for a point that may end it: the
// form of every result the window shows (22080, 6599.40, 14549.).
bool isJsonDecimal(std::string_view text)
{
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const std::size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digits || (text[digits] == '0' && i - digits > 1)) return false;
    if (i < text.size() && text[i] == '.') ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    return i == text.size();
}

} // namespace

std::string jsonNumber(std::string_view text)
{
    // A decimal stands as it is written, which is the number it shows.
    if (isJsonDecimal(text))
        return std::string(text.ends_with('.') ? text.substr(0, text.size() - 1) : text);
    const std::optional<double> value = TextToNumber(text);
    if (!value || !std::isfinite(*value)) return "null";
    char buffer[32];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, *value);
    return std::string(buffer, written.ptr);
}

std::unique_ptr<RowWriter> makeRowWriter(
    OutputFormat format, std::ostream &out, std::vector<OutputColumn> columns, CsvStyle style)
{
    switch (format) {
    case OutputFormat::Csv:
        return std::make_unique<CsvWriter>(out, columns, style);
    case OutputFormat::Json:
        return std::make_unique<JsonWriter>(out, std::move(columns));
    case OutputFormat::Table:
    case OutputFormat::Xlsx:
        break;
    }
    return std::make_unique<TableWriter>(out, std::move(columns), style.decimalComma);
}

} // namespace kestrune
