// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/csvreader.h"

#include <csv.h>

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

namespace kestrune {

namespace {

// libcsv's parser states (csv.h keeps them private): a record is under way in every state but
// the first, and a quoted cell still open at the end of the file is in the third.
constexpr int kRowNotBegun = 0;
constexpr int kFieldBegun = 2;

// The least a cell's buffer grows by at a time.
constexpr std::size_t kMinimumGrowth = 4096;

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

} // namespace

namespace {

// The length of the well-formed UTF-8 sequence at `i` (no overlong forms, no surrogates, nothing
// above U+10FFFF), or 0 where none starts there.
std::size_t utf8SequenceAt(std::string_view text, std::size_t i)
{
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) return 1;
    std::size_t length = 0;
    unsigned int codePoint = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
        codePoint = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        codePoint = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        codePoint = c & 0x07u;
    } else {
        return 0;
    }
    if (text.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0u) != 0x80u) return 0;
        codePoint = (codePoint << 6) | (next & 0x3Fu);
    }
    const bool overlong
        = (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (overlong || surrogate || codePoint > 0x10FFFF) return 0;
    return length;
}

} // namespace

bool IsUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceAt(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string RepairedUtf8(std::string_view text, std::size_t maxBytes)
{
    std::string repaired;
    repaired.reserve(std::min(text.size(), maxBytes));
    constexpr std::string_view kReplacement = "\uFFFD";
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceAt(text, i);
        const std::string_view piece = length == 0 ? kReplacement : text.substr(i, length);
        if (repaired.size() + piece.size() > maxBytes) break;
        repaired += piece;
        i += length == 0 ? 1 : length;
    }
    return repaired;
}

struct CsvReader::Parser {
    csv_parser state {};
    std::exception_ptr handlerFailure;
};

CsvReader::CsvReader(RecordHandler handler)
    : m_handler(std::move(handler)), m_parser(std::make_unique<Parser>())
{
    csv_init(&m_parser->state, 0);
}

CsvReader::~CsvReader()
{
    csv_free(&m_parser->state);
}

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
    Parser &parser = *m_parser;
    const bool quoteLeftOpen = parser.state.pstate == kFieldBegun && parser.state.quoted;
    if (quoteLeftOpen && m_record.problem.empty()) {
        m_record.problem
            = "a quoted cell is never closed: the rest of the file is taken as its text";
        m_record.problemCell = m_record.cells.size();
    }
    csv_fini(&parser.state, &CsvReader::onField, &CsvReader::onRecord, this);
    if (parser.handlerFailure) std::rethrow_exception(parser.handlerFailure);
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
    csv_set_delim(&m_parser->state, static_cast<unsigned char>(m_separator));
    const std::string held = std::string(bytes);
    m_prefix.clear();
    m_prefix.shrink_to_fit();
    parse(held);
}

// Feeds the parser one line end at a time, so that each record learns the line it starts on.
void CsvReader::parse(std::string_view bytes)
{
    while (!bytes.empty()) {
        const auto *end = std::find_if(
            bytes.begin(), bytes.end(), [](char c) { return c == '\n' || c == '\r'; });
        const std::size_t length
            = end == bytes.end() ? bytes.size() : static_cast<std::size_t>(end - bytes.begin()) + 1;
        const std::string_view piece = bytes.substr(0, length);
        bytes.remove_prefix(length);

        // A line break after a carriage return is the same line end (CRLF).
        const bool lineFeedOfCrLf = m_afterCarriageReturn && piece == "\n";
        if (m_parser->state.pstate == kRowNotBegun && !lineFeedOfCrLf) m_record.row = m_line;
        parseLines(piece);
        countLines(piece);
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

void CsvReader::parseLines(std::string_view bytes)
{
    Parser &parser = *m_parser;
    // libcsv grows a cell's buffer by a fixed step; a step as large as the buffer already is makes
    // the growth geometric, so a long cell costs a few reallocations, not one per 128 bytes.
    csv_set_blk_size(&parser.state, std::max(kMinimumGrowth, parser.state.entry_size));
    const std::size_t parsed = csv_parse(
        &parser.state, bytes.data(), bytes.size(), &CsvReader::onField, &CsvReader::onRecord, this);
    if (parser.handlerFailure) std::rethrow_exception(parser.handlerFailure);
    if (parsed != bytes.size())
        throw CsvFileError(
            std::string("it cannot be read: ") + csv_strerror(csv_error(&parser.state)));
    checkParser();
}

void CsvReader::checkParser()
{
    if (m_parser->state.entry_pos > kMaxBufferedCellBytes)
        throw CsvFileError("the cell that starts in row " + std::to_string(m_record.row)
            + " is longer than 16 MiB, which is no spreadsheet's CSV");
}

void CsvReader::endField(const char *data, std::size_t length)
{
    const std::string_view text(data == nullptr ? "" : data, data == nullptr ? 0 : length);
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
        return;
    }
    if (!IsUtf8(text)) {
        if (m_record.problem.empty()) {
            m_record.problem = "the cell is not UTF-8 text";
            m_record.problemCell = index;
        }
        cell = RepairedUtf8(text, kMaxCellBytes);
        return;
    }
    cell.assign(text);
}

void CsvReader::endRecord()
{
    if (!m_parser->handlerFailure) {
        try {
            m_handler(m_record);
        } catch (...) {
            // Not through libcsv's C frames: the failure is raised again once it returns.
            m_parser->handlerFailure = std::current_exception();
        }
    }
    m_record.cells.clear();
    m_record.problem.clear();
    m_record.problemCell = 0;
}

void CsvReader::onField(void *data, std::size_t length, void *reader)
{
    static_cast<CsvReader *>(reader)->endField(static_cast<const char *>(data), length);
}

void CsvReader::onRecord(int, void *reader)
{
    static_cast<CsvReader *>(reader)->endRecord();
}

} // namespace kestrune
