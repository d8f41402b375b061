// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/input/csvreader.h"
#include "cli/input/utf8.h"

#include <algorithm>
#include <optional>
#include <string>

namespace kestrune {

namespace {

// How much of a file's start is held to find the separator in its header line.
constexpr std::size_t kMaxHeaderBytes = std::size_t { 64 } * 1024;

// The separator of a header line: a tab where tabs outnumber the others (a spreadsheet's
// clipboard), a semicolon where it outnumbers the commas (spreadsheets in locales with a decimal
// comma write those), a comma otherwise.
char separatorOf(std::string_view line)
{
    std::size_t commas = 0;
    std::size_t semicolons = 0;
    std::size_t tabs = 0;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == ',') ++commas;
        if (c == ';') ++semicolons;
        if (c == '\t') ++tabs;
    }
    if (tabs > commas && tabs > semicolons) return '\t';
    return semicolons > commas ? ';' : ',';
}

// The first line of `bytes` that holds more than blanks, when its end is in `bytes`.
std::optional<std::string_view> headerLine(std::string_view bytes)
{
    bool quoted = false;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '"') quoted = !quoted;
        if (quoted || (c != '\n' && c != '\r')) continue;
        const std::string_view line = bytes.substr(lineStart, i - lineStart);
        if (line.find_first_not_of(" \t") != std::string_view::npos) return line;
        lineStart = i + 1;
    }
    return std::nullopt;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

} // namespace

CsvReader::CsvReader(RecordHandler handler) : m_handler(std::move(handler)) { }

void CsvReader::feed(std::string_view bytes)
{
    if (m_started) {
        parse(bytes);
        return;
    }
    m_prefix.append(bytes);
    // The separator is decided on the header line, after the byte-order mark.
    const std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (m_prefix.size() < byteOrderMark.size() && byteOrderMark.starts_with(m_prefix)) return;
    std::string_view text = m_prefix;
    if (text.starts_with(byteOrderMark)) text.remove_prefix(byteOrderMark.size());
    if (headerLine(text) || m_prefix.size() >= kMaxHeaderBytes) start();
}

void CsvReader::finish()
{
    if (!m_started) start();
    if (m_state == State::InCell && m_quoted && m_record.problem.empty()) {
        m_record.problem
            = "a quoted cell is never closed: the rest of the file is taken as its text";
        m_record.problemCell = m_record.cells.size();
    }
    if (m_state == State::AfterQuote) m_cell.resize(m_cell.size() - m_blanks - 1);
    if (m_state != State::RowNotBegun) {
        endCell();
        endRecord();
    }
}

// Decides what the file is from its first bytes: the byte-order mark, UTF-16 text (which a
// spreadsheet saves as "Unicode text" and which no CSV reader of bytes can take), the separator.
void CsvReader::start()
{
    m_started = true;
    std::string_view bytes = m_prefix;
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        throw CsvFileError("it is UTF-16 text; save it as CSV in UTF-8");
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        m_byteOrderMark = true;
        bytes.remove_prefix(3);
    }
    const std::optional<std::string_view> header = headerLine(bytes);
    m_separator = separatorOf(header ? *header : bytes);
    // A first line "sep=;" (which spreadsheets write and read) names the separator and is no row.
    if (header && header->size() == 5 && header->starts_with("sep=")) {
        m_separator = header->back();
        const std::size_t end = static_cast<std::size_t>(header->data() - bytes.data()) + 5;
        countLines(bytes.substr(0, end + 1));
        bytes.remove_prefix(end + 1);
    }
    const std::string held = std::string(bytes);
    m_prefix.clear();
    m_prefix.shrink_to_fit();
    parse(held);
}

// Reads one line end at a time, so that each record learns the line it starts on.
void CsvReader::parse(std::string_view bytes)
{
    while (!bytes.empty()) {
        const auto *end = std::find_if(bytes.begin(), bytes.end(), isLineEnd);
        const std::size_t length
            = end == bytes.end() ? bytes.size() : static_cast<std::size_t>(end - bytes.begin()) + 1;
        const std::string_view piece = bytes.substr(0, length);
        bytes.remove_prefix(length);

        // A line break after a carriage return is the same line end (CRLF).
        const bool lineFeedOfCrLf = m_afterCarriageReturn && piece == "\n";
        if (m_state == State::RowNotBegun && !lineFeedOfCrLf) m_record.row = m_line;
        for (const char c : piece)
            read(c);
        countLines(piece);
        if (m_cell.size() > kMaxBufferedCellBytes)
            throw CsvFileError("the cell that starts in row " + std::to_string(m_record.row)
                + " is longer than 16 MiB, which is no spreadsheet's CSV");
    }
}

// A cell is quoted when its first byte but blanks is a quote; blanks around an unquoted cell, and
// between a closing quote and the separator, are not part of it.
void CsvReader::read(char c)
{
    switch (m_state) {
    case State::RowNotBegun:
    case State::CellNotBegun:
        if (isBlank(c) && c != m_separator) return;
        if (isLineEnd(c)) {
            // An empty line is no record.
            if (m_state == State::CellNotBegun) {
                endCell();
                endRecord();
            }
        } else if (c == m_separator) {
            endCell();
        } else {
            m_state = State::InCell;
            m_quoted = c == '"';
            if (!m_quoted) m_cell += c;
        }
        return;
    case State::InCell:
        if (m_quoted ? c == '"' : (c == m_separator || isLineEnd(c))) {
            if (m_quoted) {
                m_cell += c;
                m_state = State::AfterQuote;
                return;
            }
            endCell();
            if (isLineEnd(c)) endRecord();
            return;
        }
        m_cell += c;
        m_blanks = !m_quoted && isBlank(c) ? m_blanks + 1 : 0;
        return;
    case State::AfterQuote:
        if (c == m_separator || isLineEnd(c)) {
            m_cell.resize(m_cell.size() - m_blanks - 1); // the closing quote and blanks after it
            endCell();
            if (isLineEnd(c)) endRecord();
        } else if (isBlank(c)) {
            m_cell += c;
            ++m_blanks;
        } else if (c == '"' && m_blanks == 0) {
            m_state = State::InCell; // two quotes: one quote of the text
        } else {
            m_cell += c;
            if (c != '"') m_state = State::InCell;
            m_blanks = 0;
        }
        return;
    }
}

void CsvReader::countLines(std::string_view bytes)
{
    for (const char c : bytes) {
        // A line feed after a carriage return ends the same line (CRLF).
        if (c == '\r' || (c == '\n' && !m_afterCarriageReturn)) ++m_line;
        m_afterCarriageReturn = c == '\r';
    }
}

void CsvReader::endCell()
{
    if (!m_quoted) m_cell.resize(m_cell.size() - m_blanks);
    const std::string_view text = m_cell;
    const std::size_t index = m_record.cells.size();
    std::string &cell = m_record.cells.emplace_back();
    // A faulty cell keeps what it can of its text, so that its row can still be recognised (its
    // id above all): its start, its bytes that are not UTF-8 each shown as U+FFFD.
    if (text.size() > kMaxCellBytes) {
        if (m_record.problem.empty()) {
            m_record.problem
                = "the cell is longer than the 32,767 characters a spreadsheet cell holds";
            m_record.problemCell = index;
        }
        cell = RepairedUtf8(text.substr(0, kMaxCellBytes + 3), kMaxCellBytes);
    } else if (!IsUtf8(text)) {
        if (m_record.problem.empty()) {
            m_record.problem = "the cell is not UTF-8 text";
            m_record.problemCell = index;
        }
        cell = RepairedUtf8(text, kMaxCellBytes);
    } else {
        cell.assign(text);
    }
    m_cell.clear();
    m_state = State::CellNotBegun;
    m_quoted = false;
    m_blanks = 0;
}

void CsvReader::endRecord()
{
    m_state = State::RowNotBegun;
    m_handler(m_record);
    m_record.cells.clear();
    m_record.problem.clear();
    m_record.problemCell = 0;
}

} // namespace kestrune
