// SPDX-License-Identifier: GPL-3.0-or-later
// Any file given to kestrune-calc as CSV, fed in two pieces split anywhere: reading it never fails
// but with a CsvFileError, every cell kept is UTF-8 text, rows are numbered in the order of the
// file, every row of a fleet is read and calculated, and what the CSV output writes of the cells
// reads back as the same cells.

#include "cli/commands/escalatorrow.h"
#include "cli/input/csvreader.h"
#include "cli/input/fleet.h"
#include "cli/input/utf8.h"
#include "cli/output/forms.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <vector>

namespace {

std::vector<kestrune::CsvRecord> read(std::string_view bytes, std::size_t split, bool &failed)
{
    std::vector<kestrune::CsvRecord> records;
    failed = false;
    try {
        kestrune::CsvReader reader([&](kestrune::CsvRecord &record) { records.push_back(record); });
        reader.feed(bytes.substr(0, split));
        reader.feed(bytes.substr(split));
        reader.finish();
    } catch (const kestrune::CsvFileError &) {
        failed = true;
    }
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1) return 0;
    // The first byte chooses where the file is split between two reads.
    const std::string_view bytes(reinterpret_cast<const char *>(data) + 1, size - 1);
    const std::size_t split = bytes.empty() ? 0 : data[0] % (bytes.size() + 1);

    bool failed = false;
    std::vector<kestrune::CsvRecord> records = read(bytes, split, failed);
    bool wholeFailed = false;
    const std::vector<kestrune::CsvRecord> whole = read(bytes, bytes.size(), wholeFailed);
    // Where the file is split between reads changes nothing.
    if (failed != wholeFailed || records.size() != whole.size()) std::abort();

    std::size_t lastRow = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const kestrune::CsvRecord &record = records[i];
        if (record.row < 1 || record.row < lastRow || record.row > size + 1) std::abort();
        lastRow = record.row;
        if (record.cells != whole[i].cells || record.row != whole[i].row) std::abort();
        for (const std::string &cell : record.cells) {
            if (!kestrune::IsUtf8(cell)) std::abort();
        }
    }
    if (failed) return 0;

    // The cells as kestrune-calc's CSV output writes them read back as the same cells (after a
    // first line that fixes the separator; a row of one empty cell is an empty line, passed over).
    std::ostringstream written;
    {
        const std::vector<kestrune::OutputColumn> columns { { "a" }, { "b" } };
        const std::unique_ptr<kestrune::RowWriter> writer
            = kestrune::makeRowWriter(kestrune::OutputFormat::Csv, written, columns);
        for (const kestrune::CsvRecord &record : records) {
            if (record.cells.size() == 1 && record.cells[0].empty()) continue;
            writer->write(record.cells);
        }
        writer->finish();
    }
    bool againFailed = false;
    const std::vector<kestrune::CsvRecord> again = read(written.str(), 0, againFailed);
    if (againFailed || again.empty()) std::abort();
    std::size_t next = 1;
    for (const kestrune::CsvRecord &record : records) {
        if (record.cells.size() == 1 && record.cells[0].empty()) continue;
        if (next >= again.size() || again[next].cells != record.cells) std::abort();
        ++next;
    }
    if (next != again.size()) std::abort();

    // Read as a fleet, every row is calculated, whatever its texts.
    std::optional<kestrune::FleetLayout> layout;
    for (kestrune::CsvRecord &record : records) {
        if (kestrune::FleetLayout::isBlank(record)) continue;
        if (!layout) {
            try {
                layout.emplace(record, ',', kestrune::UnitSystem::Imperial);
            } catch (const kestrune::FleetError &) {
                return 0;
            }
            continue;
        }
        const kestrune::FleetRow row = layout->read(record);
        if (row.problem) continue;
        const kestrune::EscalatorResult result = kestrune::CalculateEscalator(row.entry);
        if (result.error && !result.report.cotangent.empty()) std::abort();
    }
    return 0;
}
