// SPDX-License-Identifier: GPL-3.0-or-later
// The three output forms: a terminal table, CSV for spreadsheets, JSON with numbers beside texts.

#include "cli/output/forms.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrune {
namespace {

const std::vector<OutputColumn> kColumns { { "id" }, { "load", true, true }, { "error" } };

std::string written(
    OutputFormat format, const std::vector<std::vector<std::string>> &rows, CsvStyle style = {})
{
    std::ostringstream out;
    const std::unique_ptr<RowWriter> writer = makeRowWriter(format, out, kColumns, style);
    for (const std::vector<std::string> &row : rows)
        writer->write(row);
    writer->finish();
    return out.str();
}

TEST(TableOutput, AlignsTextLeftAndNumbersRight)
{
    EXPECT_EQ(written(OutputFormat::Table,
                  { { "E1", "22080", "" }, { "Hall 2", "6599.40", "Too large." } }),
        "id         load  error\n"
        "E1        22080\n"
        "Hall 2  6599.40  Too large.\n");
}

TEST(TableOutput, KeepsEveryRowOnOneLineOfBoundedWidth)
{
    const std::string table = written(
        OutputFormat::Table, { { "two\nlines\tand a very long identification indeed", "1", "" } });
    EXPECT_EQ(table.substr(table.find('\n') + 1), "two lines and a very long ident\u2026     1\n");
}

TEST(TableOutput, AlignsByTheColumnsATerminalGivesEachCharacter)
{
    // CJK and emoji take two columns, a combining accent none: "Cafe\u0301" is as wide as "Cafe".
    EXPECT_EQ(written(OutputFormat::Table,
                  { { "\u6771\u4EAC", "1", "" }, { "Cafe\u0301 \U0001F600", "22", "" },
                      { "Zo\u00EB", "333", "" } }),
        "id       load  error\n"
        "\u6771\u4EAC        1\n"
        "Cafe\u0301 \U0001F600    22\n"
        "Zo\u00EB       333\n");
    // A wide text is cut to 31 columns and an ellipsis: fifteen wide characters and the ellipsis.
    const std::string wide = written(OutputFormat::Table, { { std::string(20 * 3, 'x'), "", "" } });
    std::string cjk;
    for (int i = 0; i < 20; ++i)
        cjk += "\u6F22";
    const std::string table = written(OutputFormat::Table, { { cjk, "1", "" } });
    std::string cut;
    for (int i = 0; i < 15; ++i)
        cut += "\u6F22";
    EXPECT_EQ(table.substr(table.find('\n') + 1), cut + "\u2026     1\n");
    EXPECT_NE(wide.find("\u2026"), std::string::npos);
}

TEST(TableOutput, ShowsMessagesWhole)
{
    const std::string message = "A message longer than the thirty-two characters of a text cell.";
    std::ostringstream out;
    const std::unique_ptr<RowWriter> writer = makeRowWriter(
        OutputFormat::Table, out, { { "warning", false, false, true }, { "load", true } });
    writer->write(std::vector<std::string> { message, "1" });
    writer->finish();
    EXPECT_EQ(out.str().substr(out.str().find('\n') + 1), message + "     1\n");
}

TEST(CsvOutput, QuotesWhatAReaderWouldSplitOrTrim)
{
    EXPECT_EQ(written(OutputFormat::Csv, { { "a,b", "1", "say \"no\"" }, { " pad", "", "x\ny" } }),
        "id,load,error\n"
        "\"a,b\",1,\"say \"\"no\"\"\"\n"
        "\" pad\",,\"x\ny\"\n");
}

TEST(CsvOutput, AnswersInTheStyleOfTheFileRead)
{
    EXPECT_EQ(written(OutputFormat::Csv, { { "a,b", "1", "c;d" } }, { ';', true }),
        "\xEF\xBB\xBFid;load;error\n"
        "a,b;1;\"c;d\"\n");
}

TEST(JsonOutput, GivesEachResultAsTextAndNumber)
{
    EXPECT_EQ(written(OutputFormat::Json, { { "Q\"1\\\x01", "6599.40", "" }, { "E2", "", "No." } }),
        "[\n"
        "  {\"id\": \"Q\\\"1\\\\\\u0001\", \"load\": \"6599.40\", \"load_value\": 6599.40, "
        "\"error\": \"\"},\n"
        "  {\"id\": \"E2\", \"load\": \"\", \"load_value\": null, \"error\": \"No.\"}\n"
        "]\n");
    EXPECT_EQ(written(OutputFormat::Json, {}), "[]\n");
}

TEST(JsonOutput, NumbersAreValidJsonForEveryResultText)
{
    EXPECT_EQ(jsonNumber("1.732050"), "1.732050");
    EXPECT_EQ(jsonNumber("14549."), "14549") << "a text cut after its point";
    EXPECT_EQ(jsonNumber("-0.5"), "-0.5");
    EXPECT_EQ(jsonNumber("007"), "7") << "JSON writes no leading zero";
    EXPECT_EQ(jsonNumber("1.5E+20"), "1.5e+20");
    EXPECT_EQ(jsonNumber(".5"), "0.5");
    EXPECT_EQ(jsonNumber(""), "null");
    EXPECT_EQ(jsonNumber("12ft"), "null");
    EXPECT_EQ(jsonNumber("1E999"), "null") << "JSON has no infinity";
}

} // namespace
} // namespace kestrune
