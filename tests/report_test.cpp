// SPDX-License-Identifier: GPL-3.0-or-later
// The printed report's lines, from the field texts, the unit system typed in and the date; and
// the same boxes as the table Copy Results puts on the clipboard.

#include "core/report.h"
#include "core/resultstable.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

ReportFields workedExample()
{
    return { "ESC-7", "30", "0", "1.732050",
        { "100", "50", "40", "22080", "14549.2", "19121.8", "14549.2" },
        { "30.4800", "15.2400", "1016", "10015.3", "6599.40", "8673.50", "6599.40" } };
}

TEST(Report, IsOnePageOf34LinesWithItsHeadingsBoldAndTheFooterSmall)
{
    const std::vector<ReportLine> lines
        = ReportLines(workedExample(), UnitSystem::Imperial, "5/14/25");
    ASSERT_EQ(lines.size(), 34u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i + 1);
        const bool bold = (i >= 2 && i <= 9) || i == 21;
        EXPECT_EQ(lines[i].bold, bold);
        EXPECT_EQ(lines[i].points, i == 33 ? 10 : 14);
    }
    EXPECT_EQ(lines[2].text, std::string(21, ' ') + "Escalator Rated Load Results");
    EXPECT_EQ(lines[33].text, "      Another timesaving program from www.kestrune.org");
}

TEST(Report, EveryValueStartsInColumn46AndTheIdentificationIn36)
{
    const ReportFields fields = workedExample();
    const std::vector<ReportLine> lines = ReportLines(fields, UnitSystem::Imperial, "5/14/25");
    EXPECT_EQ(lines[4].text.substr(35), "ESC-7");
    const std::pair<std::size_t, std::string> values[]
        = { { 5, "5/14/25" }, { 6, "30 Degrees 0 Minutes" }, { 7, "1.732050" }, { 11, "100 Feet" },
              { 12, "50 Feet" }, { 13, "40 Inches" }, { 15, "22080 Lb" }, { 16, "14549.2 Lb" },
              { 17, "19121.8 Lb" }, { 18, "14549.2 Lb" }, { 23, "30.4800 Meters" },
              { 24, "15.2400 Meters" }, { 25, "1016 Millimeters" }, { 27, "10015.3 Kg" },
              { 28, "6599.40 Kg" }, { 29, "8673.50 Kg" }, { 30, "6599.40 Kg" } };
    for (const auto &[line, value] : values) {
        SCOPED_TRACE(line + 1);
        ASSERT_GT(lines[line].text.size(), 45u);
        EXPECT_EQ(lines[line].text.substr(45), value);
        EXPECT_EQ(lines[line].text[44], ' ');
    }
    EXPECT_EQ(lines[24].text, "    Total rise:" + std::string(30, ' ') + "15.2400 Meters");
}

TEST(Report, TheHeadingOfTheSystemNotTypedInSaysWhereItWasConvertedFrom)
{
    const std::string indent(29, ' ');
    const auto imperial = ReportLines(workedExample(), UnitSystem::Imperial, "");
    EXPECT_EQ(imperial[9].text, indent + "Imperial ");
    EXPECT_EQ(imperial[21].text, indent + "Metric (Converted from Imperial)");
    const auto metric = ReportLines(workedExample(), UnitSystem::Metric, "");
    EXPECT_EQ(metric[9].text, indent + "Imperial (Converted from Metric)");
    EXPECT_EQ(metric[21].text, indent + "Metric ");
}

TEST(Report, ResultsNotYetCalculatedPrintAsNothingBetweenLabelAndUnit)
{
    ReportFields fields = workedExample();
    fields.cotangent.clear();
    fields.imperial.structural.clear();
    fields.identification.clear();
    const auto lines = ReportLines(fields, UnitSystem::Imperial, "5/14/25");
    EXPECT_EQ(lines[15].text, "    Structural rated load:" + std::string(19, ' ') + " Lb");
    EXPECT_EQ(lines[7].text, "    Cotangent of the angle of inclination:   ");
    EXPECT_EQ(lines[4].text, "    Escalator Identification:      ");
}

// The calculation as a table for the clipboard: plain text for e-mail and spreadsheets, and HTML
// whose numbers paste as numbers. The identification holds characters that HTML escapes.
ReportFields withMarkup()
{
    ReportFields fields = workedExample();
    fields.identification += " <north>";
    return fields;
}

TEST(ResultsTable, OneLabelledRowPerQuantityWithTheTextsAsShown)
{
    const std::string text
        = TabSeparated(ResultsTable(withMarkup(), UnitSystem::Imperial, "12/8/26"));
    EXPECT_EQ(text,
        "Escalator ID\tESC-7 <north>\n"
        "Date\t12/8/26\n"
        "Units entered\tImperial\n"
        "Angle of inclination\t30\tDeg\t0\tMin\n"
        "Cotangent of the angle of inclination\t1.732050\n"
        "Quantity\tImperial\tUnit\tMetric\tUnit\n"
        "Length of the horizontal projection\t100\tFt\t30.4800\tM\n"
        "Total rise\t50\tFt\t15.2400\tM\n"
        "Width of the escalator step\t40\tIn\t1016\tMM\n"
        "Structural rated load\t22080\tLb\t10015.3\tKg\n"
        "Machinery rated load\t14549.2\tLb\t6599.40\tKg\n"
        "Brake rated load - static\t19121.8\tLb\t8673.50\tKg\n"
        "Brake rated load - running\t14549.2\tLb\t6599.40\tKg\n");
}

TEST(ResultsTable, AnIdentificationCannotSplitItsRow)
{
    ReportFields fields = workedExample();
    fields.identification = "A\tB\nC";
    const std::string text = TabSeparated(ResultsTable(fields, UnitSystem::Metric, "d"));
    EXPECT_EQ(text.substr(0, text.find('\n')), "Escalator ID\tA B C");
    EXPECT_NE(text.find("Units entered\tMetric\n"), std::string::npos);
}

TEST(ResultsTable, HtmlCarriesNumbersAsValuesAndEscapesText)
{
    const std::string html = HtmlTable(ResultsTable(withMarkup(), UnitSystem::Imperial, "12/8/26"));
    EXPECT_NE(html.find("<td>ESC-7 &lt;north&gt;</td>"), std::string::npos);
    // The value without the box's trailing zeros; the text as the box shows it.
    EXPECT_NE(html.find("<td sdval=\"30.48\" sdnum=\"1033;\" x:num=\"30.48\">30.4800</td>"),
        std::string::npos);
    EXPECT_NE(html.find("<td sdval=\"14549.2\" sdnum=\"1033;\" x:num=\"14549.2\">14549.2</td>"),
        std::string::npos);
    // Units, labels and a date are text.
    EXPECT_NE(html.find("<td>Lb</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>12/8/26</td>"), std::string::npos);
    // Blank results (none calculated yet) are empty cells, not zeros.
    ReportFields blank = workedExample();
    blank.imperial.structural.clear();
    EXPECT_NE(HtmlTable(ResultsTable(blank, UnitSystem::Imperial, "d"))
                  .find("<td>Structural rated load</td><td></td>"),
        std::string::npos);
}

} // namespace
} // namespace kestrune
