// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reads CSV files the way spreadsheets write them, one record at a time: comma-, semicolon- or
// tab-separated (the separator is taken from the header line, or from a first line "sep=;" as
// spreadsheets write it), quoted cells with doubled quotes and line breaks inside them, UTF-8 with
// or without a byte-order mark, CRLF, LF or CR line ends. Blanks around a cell are not part of it;
// empty lines are no records. The reader is lenient as spreadsheets are: a quote inside an
// unquoted cell, or text after a closing quote, is taken as part of the cell.
//
// The reader streams: bytes go in through feed() in pieces of any size, and each record comes out
// through the handler as soon as it is complete, so a file of any length is read in little memory.
// A fault of one record (a cell that is not UTF-8 text, a cell too long for any spreadsheet, a
// quote never closed) is reported with that record and does not stop the file; only a file that is
// not CSV text at all stops it, with a CsvFileError.

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kestrune {

// The whole file cannot be read as CSV text (UTF-16 text, a cell of many megabytes).
class CsvFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CsvRecord {
    // The line of the file on which the record starts, counted from 1: the row number a
    // spreadsheet shows for it, as long as no cell above it holds a line break.
    std::size_t row = 0;
    std::vector<std::string> cells;
    // What is wrong with the record, or empty; `problemCell` is the index of the cell concerned.
    std::string problem;
    std::size_t problemCell = 0;
};

class CsvReader {
public:
    // Spreadsheets hold at most this many characters in a cell; a longer cell is a fault of its
    // record, and only its start is kept (a cell that is not UTF-8 text keeps its text, each byte
    // that is not UTF-8 shown as U+FFFD).
    static constexpr std::size_t kMaxCellBytes = 32767;
    // A cell this long is no spreadsheet's: reading stops rather than holding it in memory.
    static constexpr std::size_t kMaxBufferedCellBytes = std::size_t { 16 } << 20;

    using RecordHandler = std::function<void(CsvRecord &record)>;

    explicit CsvReader(RecordHandler handler);
    CsvReader(const CsvReader &) = delete;
    CsvReader &operator=(const CsvReader &) = delete;

    // Reads the next piece of the file. Throws CsvFileError.
    void feed(std::string_view bytes);
    // Ends the file: the last record is handed over even without a line end. Throws CsvFileError.
    void finish();

    // The separator found in the header line (',' until one is found).
    char separator() const { return m_separator; }
    // Whether the file began with a UTF-8 byte-order mark.
    bool hadByteOrderMark() const { return m_byteOrderMark; }

private:
    // Where a line's next byte falls: before any cell of a record, before a cell, in a cell, or
    // just after a quote in a quoted cell (its end, or the first of two quotes).
    enum class State { RowNotBegun, CellNotBegun, InCell, AfterQuote };

    void start();
    void parse(std::string_view bytes);
    void read(char c);
    void countLines(std::string_view bytes);
    void endCell();
    void endRecord();

    RecordHandler m_handler;
    State m_state = State::RowNotBegun;
    bool m_quoted = false;
    // The blanks at the cell's end so far (cut from an unquoted cell, and after a closing quote).
    std::size_t m_blanks = 0;
    std::string m_cell;
    std::string m_prefix; // the file's start, held until the separator is known
    bool m_started = false;
    bool m_byteOrderMark = false;
    bool m_afterCarriageReturn = false;
    char m_separator = ',';
    std::size_t m_line = 1;
    CsvRecord m_record;
};

} // namespace kestrune
