// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/input/escalators.h"

#include "cli/input/textdecoder.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>

namespace kestrune {

namespace {

constexpr std::size_t kChunkBytes = std::size_t { 256 } * 1024;
constexpr std::size_t kProgressFrom = 100000;
constexpr std::size_t kProgressStep = 10000;

bool standardErrorIsTerminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

struct FileCloser {
    void operator()(std::FILE *file) const
    {
        if (file != stdin) std::fclose(file);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::size_t readFleet(const Options &options, const std::function<void(const CsvStyle &)> &begin,
    const std::function<void(FleetRow &)> &each)
{
    const std::string &path = *options.csvFile;
    const std::string label = fileLabel(path);
    File file(path == "-" ? stdin : std::fopen(path.c_str(), "rb"));
    if (!file) throw UsageError("cannot read " + label + ": " + std::strerror(errno));

    std::size_t rows = 0;
    std::optional<FleetLayout> layout;
    std::optional<CsvReader> reader;
    reader.emplace([&](CsvRecord &record) {
        if (FleetLayout::isBlank(record)) return;
        if (!layout) {
            layout.emplace(record, reader->separator(), options.units);
            begin(CsvStyle { reader->separator(), reader->hadByteOrderMark(),
                options.decimalComma || decimalMarkOf(reader->separator()) == DecimalMark::Comma });
            return;
        }
        FleetRow row = layout->read(record);
        ++rows;
        each(row);
    });

    TextDecoder decoder(options.encoding);
    try {
        // The file's start decides its encoding; then it is read a piece at a time.
        std::string sample;
        std::string chunk(kChunkBytes, '\0');
        bool decided = false;
        while (true) {
            const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
            const bool last = got < chunk.size();
            const std::string_view piece(chunk.data(), got);
            if (!decided) {
                sample.append(piece);
                if (sample.size() >= TextDecoder::kSampleBytes || last) {
                    decoder.decide(sample, last);
                    decided = true;
                    if (decoder.fellBack())
                        std::cerr << "kestrune-calc: " << label
                                  << " is not UTF-8 text: it is read as Windows-1252\n";
                    reader->feed(decoder.decode(sample));
                    sample.clear();
                    sample.shrink_to_fit();
                }
            } else if (got > 0) {
                reader->feed(decoder.decode(piece));
            }
            if (last) break;
        }
        if (std::ferror(file.get()))
            throw UsageError("cannot read " + label + ": " + std::strerror(errno));
        reader->feed(decoder.finish());
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

void Tally::count(bool wasRefused, bool wasWarned)
{
    if (wasRefused) {
        ++refused;
        return;
    }
    ++(wasWarned ? warned : calculated);
}

std::string Tally::summary() const
{
    const std::size_t total = calculated + warned + refused;
    return std::to_string(total) + (total == 1 ? " escalator: " : " escalators: ")
        + std::to_string(calculated) + " calculated, " + std::to_string(warned)
        + (warned == 1 ? " with a warning, " : " with warnings, ") + std::to_string(refused)
        + " refused";
}

Progress::Progress(const Options &options, std::ostream &err)
    : m_err(err), m_shown(options.csvFile && !options.quiet && standardErrorIsTerminal())
{ }

void Progress::step()
{
    ++m_rows;
    if (!m_shown || m_rows < kProgressFrom || m_rows % kProgressStep != 0) return;
    m_err << "\rkestrune-calc: " << m_rows << " rows" << std::flush;
    m_written = true;
}

void Progress::finish()
{
    if (m_written) m_err << "\r\x1b[K" << std::flush;
    m_written = false;
}

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
    if (options.csvFile) return readFleet(options, begin, each);

    FleetRow row;
    row.entry = options.escalator.value_or(EscalatorEntry {});
    const EscalatorEntry &entry = row.entry;
    row.echo = { entry.id, std::string(unitsName(entry.units)), entry.projection, entry.rise,
        entry.width, entry.degrees, entry.minutes };
    ReadMeasurements(row, DecimalMark::Point);
    begin(CsvStyle { ',', false, options.decimalComma });
    each(row);
    return 1;
}

} // namespace kestrune
