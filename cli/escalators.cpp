// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/escalators.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace kestrune {

namespace {

constexpr std::size_t kChunkBytes = std::size_t { 256 } * 1024;

struct FileCloser {
    void operator()(std::FILE *file) const
    {
        if (file != stdin) std::fclose(file);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::size_t readFleet(const std::string &path, UnitSystem defaultUnits,
    const std::function<void(const CsvStyle &)> &begin, const std::function<void(FleetRow &)> &each)
{
    const std::string label = fileLabel(path);
    File file(path == "-" ? stdin : std::fopen(path.c_str(), "rb"));
    if (!file) throw UsageError("cannot read " + label + ": " + std::strerror(errno));

    std::size_t rows = 0;
    std::optional<FleetLayout> layout;
    std::optional<CsvReader> reader;
    reader.emplace([&](CsvRecord &record) {
        if (FleetLayout::isBlank(record)) return;
        if (!layout) {
            layout.emplace(record, reader->separator(), defaultUnits);
            begin(CsvStyle { reader->separator(), reader->hadByteOrderMark() });
            return;
        }
        FleetRow row = layout->read(record);
        ++rows;
        each(row);
    });

    try {
        std::string chunk(kChunkBytes, '\0');
        while (true) {
            const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
            if (got > 0) reader->feed(std::string_view(chunk.data(), got));
            if (got < chunk.size()) break;
        }
        if (std::ferror(file.get()))
            throw UsageError("cannot read " + label + ": " + std::strerror(errno));
        reader->finish();
    } catch (const CsvFileError &error) {
        throw UsageError(label + " is not a CSV file Kestrune can read: " + error.what());
    } catch (const FleetError &error) {
        throw UsageError(label + ": " + error.what());
    }
    if (!layout)
        throw UsageError(label
            + " is empty: its first row must name the columns (id, units, "
              "projection, rise, width, degrees, minutes)");
    return rows;
}

} // namespace

std::string fileLabel(const std::string &file)
{
    return file == "-" ? "standard input" : file;
}

std::string messageLine(
    const Options &options, std::size_t row, std::string_view column, std::string_view text)
{
    std::string line = "kestrune-calc: ";
    if (options.csvFile) {
        line += fileLabel(*options.csvFile) + ": row " + std::to_string(row);
        if (!column.empty()) line += ", column " + std::string(column);
        line += ": ";
    } else if (!column.empty()) {
        line += "--" + std::string(column) + ": ";
    }
    line += text;
    line += '\n';
    return line;
}

std::size_t forEachEscalator(const Options &options,
    const std::function<void(const CsvStyle &)> &begin, const std::function<void(FleetRow &)> &each)
{
    if (options.csvFile) return readFleet(*options.csvFile, options.units, begin, each);

    FleetRow row;
    row.entry = options.escalator.value_or(EscalatorEntry {});
    const EscalatorEntry &entry = row.entry;
    row.echo = { entry.id, std::string(unitsName(entry.units)), entry.projection, entry.rise,
        entry.width, entry.degrees, entry.minutes };
    begin(CsvStyle {});
    each(row);
    return 1;
}

} // namespace kestrune
