// SPDX-License-Identifier: GPL-3.0-or-later
// Reading CSV files as spreadsheets write them, and the faults of single records.

#include "cli/input/csvreader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrune {
namespace {

struct Read {
    std::vector<CsvRecord> records;
    char separator = 0;
    bool byteOrderMark = false;
};

// Reads `bytes` fed in pieces of `piece` bytes, so that every split of a line, a quote, a CRLF
// or the byte-order mark between two reads is met somewhere.
Read read(std::string_view bytes, std::size_t piece = 4096)
{
    Read out;
    CsvReader reader([&out](CsvRecord &record) { out.records.push_back(record); });
    for (std::size_t i = 0; i < bytes.size(); i += piece)
        reader.feed(bytes.substr(i, piece));
    reader.finish();
    out.separator = reader.separator();
    out.byteOrderMark = reader.hadByteOrderMark();
    return out;
}

using Cells = std::vector<std::string>;

TEST(CsvReader, ReadsTheSameRecordsWhateverTheLineEndsAndPieces)
{
    const std::string lf = "id,rise\n\"E 1\",\"12,5\"\n\"say \"\"hi\"\"\",3\n";
    std::string crlf;
    for (const char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string cr = lf;
    std::replace(cr.begin(), cr.end(), '\n', '\r');
    for (const std::string &file : { lf, crlf, cr }) {
        for (const std::size_t piece :
            { std::size_t { 1 }, std::size_t { 2 }, std::size_t { 7 }, std::size_t { 4096 } }) {
            const Read got = read(file, piece);
            ASSERT_EQ(got.records.size(), 3u) << "piece " << piece;
            EXPECT_EQ(got.records[0].cells, (Cells { "id", "rise" }));
            EXPECT_EQ(got.records[1].cells, (Cells { "E 1", "12,5" }));
            EXPECT_EQ(got.records[2].cells, (Cells { "say \"hi\"", "3" }));
            EXPECT_EQ(got.records[2].row, 3u) << "piece " << piece;
        }
    }
}

TEST(CsvReader, TakesTheSeparatorFromTheHeaderLine)
{
    const Read semicolons = read("id;projection;rise\nE,1;12,5;3\n");
    EXPECT_EQ(semicolons.separator, ';');
    ASSERT_EQ(semicolons.records.size(), 2u);
    EXPECT_EQ(semicolons.records[1].cells, (Cells { "E,1", "12,5", "3" }));

    // A spreadsheet's line naming the separator is no row, but it is a line.
    for (const std::size_t piece : { std::size_t { 1 }, std::size_t { 4096 } }) {
        const Read named = read("sep=;\r\nid,1;projection,2\r\n3;4\r\n", piece);
        EXPECT_EQ(named.separator, ';');
        ASSERT_EQ(named.records.size(), 2u);
        EXPECT_EQ(named.records[0].cells, (Cells { "id,1", "projection,2" }));
        EXPECT_EQ(named.records[1].row, 3u);
    }

    // Blank lines before the header do not decide; a quoted separator does not count.
    const Read commas = read("\n  \n\"a;b;c\",d\n1,2\n");
    EXPECT_EQ(commas.separator, ',');
    EXPECT_EQ(commas.records.back().cells, (Cells { "1", "2" }));
}

TEST(CsvReader, DropsTheByteOrderMarkAndRefusesUtf16)
{
    for (const std::size_t piece : { std::size_t { 1 }, std::size_t { 4096 } }) {
        const Read got = read("\xEF\xBB\xBFid,rise\n1,2\n", piece);
        EXPECT_TRUE(got.byteOrderMark);
        ASSERT_FALSE(got.records.empty());
        EXPECT_EQ(got.records[0].cells.front(), "id");
    }
    // The mark is no header line: the separator comes from the line after it, however the file
    // arrives.
    for (const std::size_t piece : { std::size_t { 1 }, std::size_t { 5 }, std::size_t { 4096 } })
        EXPECT_EQ(read("\xEF\xBB\xBF\nid;rise\n1;2\n", piece).separator, ';') << "piece " << piece;
    EXPECT_FALSE(read("id\n").byteOrderMark);
    EXPECT_THROW(read(std::string("\xFF\xFEi\0d\0", 6)), CsvFileError);
}

TEST(CsvReader, TrimsBlanksAndTakesStrayQuotesAsText)
{
    const Read got = read("h\n  a  ,  \"b c\"  ,d\"e,\"f\"\"g\",  \n\"a\" \"b\",\"c\"\n");
    ASSERT_EQ(got.records.size(), 3u);
    EXPECT_EQ(got.records[1].cells, (Cells { "a", "b c", "d\"e", "f\"g", "" }));
    EXPECT_EQ(got.records[2].cells, (Cells { "a\" \"b", "c" })) << "text after a closing quote";
    const Read tabs = read("x\ty\tz\na\t b \t\n");
    EXPECT_EQ(tabs.records.back().cells, (Cells { "a", "b", "" }))
        << "a tab separates, not a blank";
}

TEST(CsvReader, CountsRowsByTheLineTheRecordStartsOn)
{
    // Row 2 holds a line break in a quoted cell, so the next record starts on line 4; blank
    // lines are counted but give no record.
    const Read got = read("h1,h2\n\"two\nlines\",x\n3,4\n\n\n6,7");
    ASSERT_EQ(got.records.size(), 4u);
    EXPECT_EQ(got.records[1].row, 2u);
    EXPECT_EQ(got.records[1].cells[0], "two\nlines");
    EXPECT_EQ(got.records[2].row, 4u);
    EXPECT_EQ(got.records[3].row, 7u);

    // A file whose lines end in CR, then LF, then CRLF.
    const Read mixed = read("a,b\r1,2\n3,4\r\n5,6\n");
    ASSERT_EQ(mixed.records.size(), 4u);
    for (std::size_t i = 0; i < mixed.records.size(); ++i)
        EXPECT_EQ(mixed.records[i].row, i + 1);
}

TEST(CsvReader, FaultsOfOneRecordDoNotStopTheFile)
{
    const std::string longCell(CsvReader::kMaxCellBytes + 1, '9');
    const Read got = read("a,b\n1," + longCell + "\n\xC3(,2\n3,4\n\"open,5\n6,7\n");
    ASSERT_EQ(got.records.size(), 5u);
    EXPECT_EQ(got.records[1].problemCell, 1u);
    EXPECT_NE(got.records[1].problem.find("32,767"), std::string::npos);
    EXPECT_EQ(got.records[1].cells[1], longCell.substr(0, CsvReader::kMaxCellBytes))
        << "a cell too long keeps its start";
    EXPECT_NE(got.records[2].problem.find("UTF-8"), std::string::npos);
    EXPECT_EQ(got.records[2].cells[0], "\uFFFD(") << "text that is not UTF-8 keeps what it can";
    EXPECT_TRUE(got.records[3].problem.empty());
    // A quote never closed takes the rest of the file, and says so.
    EXPECT_NE(got.records[4].problem.find("never closed"), std::string::npos);
    EXPECT_EQ(got.records[4].row, 5u);
}

TEST(CsvReader, StopsAtACellOfManyMegabytes)
{
    CsvReader reader([](CsvRecord &) {});
    reader.feed("a,b\n\"");
    const std::string block(1 << 20, 'x');
    EXPECT_THROW(
        {
            for (int i = 0; i < 20; ++i)
                reader.feed(block);
        },
        CsvFileError);
}

TEST(CsvReader, HandlerFailuresComeOutOfFeed)
{
    CsvReader reader([](CsvRecord &) { throw std::runtime_error("disk full"); });
    EXPECT_THROW(reader.feed("a\n1\n"), std::runtime_error);
}

} // namespace
} // namespace kestrune
