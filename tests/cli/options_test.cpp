// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: what each command takes, and the usage errors that answer the rest.

#include "cli/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrune {
namespace {

Options parse(std::vector<std::string_view> arguments)
{
    return parseOptions(arguments);
}

std::string usageError(std::vector<std::string_view> arguments)
{
    try {
        parseOptions(arguments);
    } catch (const UsageError &error) {
        return error.what();
    }
    return "(accepted)";
}

TEST(Options, OneEscalatorTakesValuesAsWritten)
{
    const Options options
        = parse({ "loads", "--projection", "100", "--rise=50", "--width", "40", "--degrees", "30",
            "--minutes", "-5", "--units", "Metric", "--id", "", "--format", "json" });
    EXPECT_EQ(options.command, Command::Loads);
    EXPECT_EQ(options.format, OutputFormat::Json);
    ASSERT_TRUE(options.escalator);
    EXPECT_EQ(options.escalator->rise, "50");
    EXPECT_EQ(options.escalator->minutes, "-5") << "a negative value is a value, not an option";
    EXPECT_EQ(options.escalator->units, UnitSystem::Metric);
    EXPECT_FALSE(options.csvFile);

    const Options defaults
        = parse({ "loads", "--projection", "1", "--rise", "1", "--width", "1", "--degrees", "1" });
    EXPECT_EQ(defaults.escalator->minutes, "0");
    EXPECT_EQ(defaults.escalator->units, UnitSystem::Imperial);
    EXPECT_EQ(defaults.format, OutputFormat::Table);
}

TEST(Options, AFleetExcludesTheOneEscalatorOptions)
{
    const Options fleet = parse({ "loads", "--csv", "-", "--units", "metric" });
    EXPECT_EQ(fleet.csvFile, "-");
    EXPECT_EQ(fleet.units, UnitSystem::Metric);
    EXPECT_FALSE(fleet.escalator);
    EXPECT_NE(usageError({ "loads", "--csv", "f.csv", "--rise", "1" })
                  .find("--rise is for one escalator"),
        std::string::npos);
}

TEST(Options, OutputEncodingAndFlags)
{
    const Options options = parse({ "loads", "--csv", "f.csv", "-o", "out.json", "--encoding",
        "Windows-1252", "--decimal-comma", "--quiet", "--format", "json" });
    EXPECT_EQ(options.outputFile, "out.json");
    EXPECT_EQ(options.encoding, TextEncoding::Windows1252);
    EXPECT_TRUE(options.decimalComma);
    EXPECT_TRUE(options.quiet);
    const Options plain = parse({ "loads", "--csv", "f.csv", "--output=r.csv" });
    EXPECT_EQ(plain.outputFile, "r.csv");
    EXPECT_FALSE(plain.encoding);
    EXPECT_FALSE(plain.decimalComma || plain.quiet);

    EXPECT_NE(usageError({ "loads", "--csv", "f", "--quiet=yes" }).find("takes no value"),
        std::string::npos);
    EXPECT_NE(usageError({ "loads", "--csv", "f", "--encoding", "latin9" })
                  .find("utf-8, utf-16 or windows-1252"),
        std::string::npos);
    EXPECT_NE(usageError({ "loads", "--csv", "f", "-o" }).find("needs a value"), std::string::npos);
    EXPECT_NE(usageError({ "triangle", "--a", "1", "--b", "1", "--encoding", "utf-8" })
                  .find("unknown option --encoding"),
        std::string::npos);
    if (kXlsxAvailable) {
        EXPECT_NE(usageError({ "loads", "--csv", "f", "--format", "xlsx" }).find("--output FILE"),
            std::string::npos);
        EXPECT_EQ(parse({ "loads", "--csv", "f", "--format", "xlsx", "-o", "f.xlsx" }).format,
            OutputFormat::Xlsx);
    } else {
        EXPECT_NE(usageError({ "loads", "--csv", "f", "--format", "xlsx", "-o", "f.xlsx" })
                      .find("not available in this build"),
            std::string::npos);
    }
}

TEST(Options, UsageErrorsSayWhatIsWrong)
{
    EXPECT_NE(usageError({}).find("a command is needed"), std::string::npos);
    EXPECT_NE(usageError({ "load" }).find("unknown command \"load\""), std::string::npos);
    EXPECT_NE(
        usageError({ "loads", "--bogus", "1" }).find("unknown option --bogus"), std::string::npos);
    EXPECT_NE(
        usageError({ "loads", "--pdf", "x.pdf" }).find("unknown option --pdf"), std::string::npos)
        << "an option of another command";
    EXPECT_NE(usageError({ "loads", "--csv" }).find("needs a value"), std::string::npos);
    EXPECT_NE(
        usageError({ "loads", "--csv", "a", "--csv", "b" }).find("given twice"), std::string::npos);
    EXPECT_NE(usageError({ "loads", "--projection", "1", "--rise", "1", "--width", "1" })
                  .find("--degrees is missing"),
        std::string::npos);
    EXPECT_NE(
        usageError({ "loads", "--csv", "f", "--format", "xml" }).find("table, csv, json or xlsx"),
        std::string::npos);
    EXPECT_NE(usageError({ "loads", "stray" }).find("unexpected argument"), std::string::npos);
    EXPECT_NE(
        usageError({ "loads", "--id", "\xFF", "--csv", "f" }).find("not UTF-8"), std::string::npos);
}

TEST(Options, AValueIsTheNextArgumentWhateverItLooksLike)
{
    const Options one = parse({ "loads", "--projection", "-1e3", "--rise", "--5", "--width", "-abc",
        "--degrees", "-o", "--id=" });
    ASSERT_TRUE(one.escalator);
    EXPECT_EQ(one.escalator->projection, "-1e3");
    EXPECT_EQ(one.escalator->rise, "--5");
    EXPECT_EQ(one.escalator->width, "-abc");
    EXPECT_EQ(one.escalator->degrees, "-o");
    EXPECT_EQ(one.escalator->id, "") << "--id= is an empty value, not the next argument";
    EXPECT_TRUE(one.outputFile.empty());

    const Options fleet = parse({ "loads", "--csv", "--quiet", "-o", "-ofile" });
    EXPECT_EQ(fleet.csvFile, "--quiet");
    EXPECT_FALSE(fleet.quiet);
    EXPECT_EQ(fleet.outputFile, "-ofile");
    EXPECT_EQ(parse({ "loads", "--csv", "f", "--output=--x=" }).outputFile, "--x=");
    EXPECT_NE(usageError({ "loads", "--csv", "f", "--units=" }).find("metric, not \"\""),
        std::string::npos);
    EXPECT_NE(usageError({ "loads", "--csv", "f", "--output=" }).find("--output needs a file name"),
        std::string::npos);
}

TEST(Options, TheFirstFaultOfTheLineIsTold)
{
    using Arguments = std::vector<std::string_view>;
    const std::vector<std::pair<Arguments, std::string>> cases {
        { { "loads", "--bogus", "--csv" }, "unknown option --bogus" },
        { { "loads", "--csv" }, "the option --csv needs a value" },
        { { "loads", "--csv", "a", "-o" }, "the option --output needs a value" },
        { { "loads", "stray", "--csv", "a", "--csv", "b" }, "unexpected argument \"stray\"" },
        { { "loads", "--csv", "a", "--csv", "b", "--bogus" }, "--csv is given twice" },
        { { "loads", "--quiet", "--quiet", "--bogus=1" }, "--quiet is given twice" },
        { { "loads", "--csv", "a", "--nope=1", "--quiet=true" }, "unknown option --nope (" },
        { { "loads", "--csv", "a", "--quiet=true" }, "--quiet takes no value" },
        { { "loads", "--csv", "a", "--quiet=" }, "--quiet takes no value" },
        { { "loads", "--csv", "a", "-ofile" }, "unexpected argument \"-ofile\"" },
        { { "report", "-o", "x" }, "unknown option --output (kestrune-calc report --help" },
        { { "loads", "--csv", "a", "--", "--quiet" }, "unexpected argument \"--\"" },
        { { "loads", "--csv", "a", "/quiet" }, "unexpected argument \"/quiet\"" },
        { { "loads", "--csv", "a", "--=x" }, "unknown option -- (" },
        { { "triangle", "--a", "1", "--b", "\xFF", "--c" }, "the value of --b is not UTF-8" },
        { { "loads", "--units", "x", "--format", "x", "--csv", "f" }, "the format must be" },
    };
    for (const auto &[arguments, fault] : cases)
        EXPECT_NE(usageError(arguments).find(fault), std::string::npos) << usageError(arguments);
}

TEST(Options, ReportNeedsItsFileAndACalendarDate)
{
    const Options report = parse({ "report", "--csv", "f.csv", "--pdf", "out.pdf", "--date",
        "2024-02-29", "--paper", "a4" });
    EXPECT_EQ(report.command, Command::Report);
    EXPECT_EQ(report.pdfFile, "out.pdf");
    ASSERT_TRUE(report.date);
    EXPECT_EQ(report.date->day, 29);
    EXPECT_EQ(report.paper, Paper::A4);
    EXPECT_NE(usageError({ "report", "--csv", "f.csv" }).find("--pdf FILE is missing"),
        std::string::npos);
    EXPECT_NE(usageError({ "report", "--csv", "f", "--pdf", "o", "--date", "2023-02-29" })
                  .find("a day of the calendar"),
        std::string::npos);
    EXPECT_NE(usageError({ "report", "--csv", "f", "--pdf", "o", "--format", "csv" })
                  .find("unknown option"),
        std::string::npos);
}

TEST(Options, CalendarDates)
{
    EXPECT_TRUE(parseDate("2000-02-29"));
    EXPECT_FALSE(parseDate("1900-02-29"));
    EXPECT_FALSE(parseDate("2026-04-31"));
    EXPECT_FALSE(parseDate("2026-13-01"));
    EXPECT_FALSE(parseDate("2026-1-01"));
    EXPECT_FALSE(parseDate("26-01-01x"));
}

TEST(Options, TriangleTakesTwoQuantitiesAtMostOneAngle)
{
    const Options sides = parse({ "triangle", "--a", "3", "--b", "4" });
    EXPECT_EQ(sides.sideA, "3");
    EXPECT_EQ(sides.sideB, "4");
    const Options angle = parse({ "triangle", "--angle-b", "30:15", "--h", "10" });
    EXPECT_EQ(angle.angleB, "30:15");
    EXPECT_NE(usageError({ "triangle", "--a", "3" }).find("exactly two"), std::string::npos);
    EXPECT_NE(usageError({ "triangle", "--a", "3", "--b", "4", "--h", "5" }).find("exactly two"),
        std::string::npos);
    EXPECT_NE(usageError({ "triangle", "--angle-a", "30", "--angle-b", "60" }).find("one angle"),
        std::string::npos);
}

TEST(Options, HelpAndVersion)
{
    EXPECT_EQ(parse({ "--help" }).command, Command::Help);
    EXPECT_EQ(parse({ "help", "report" }).helpTopic, Command::Report);
    const Options commandHelp = parse({ "triangle", "--a", "1", "-h" });
    EXPECT_EQ(commandHelp.command, Command::Help);
    EXPECT_EQ(commandHelp.helpTopic, Command::Triangle);
    EXPECT_EQ(parse({ "--version" }).command, Command::Version);
    EXPECT_NE(helpText(Command::Loads).find("--csv FILE"), std::string::npos);
}

} // namespace
} // namespace kestrune
