// SPDX-License-Identifier: GPL-3.0-or-later
// The printed report's lines, from the field texts, the unit system typed in and the date.

#include "core/report.h"

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

} // namespace
} // namespace kestrune
