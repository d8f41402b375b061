// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output/xlsx.h"

#include "cli/options.h"

#ifdef KESTRUNE_HAVE_XLSX

#include "core/numbers.h"

#include <QFile>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cmath>
#include <map>
#include <optional>

namespace kestrune {

namespace {

// The number a cell's text shows, with the display format that shows it with the same digits:
// "6599.40" as 6599.4 in 0.00, "14549." in 0., "22080" in 0. A number in exponent form keeps the
// sheet's general format; a text with one decimal comma (a semicolon file's 30,5) is its number.
struct CellNumber {
    double value = 0;
    std::optional<std::string> format;
};

std::optional<CellNumber> cellNumber(std::string text)
{
    if (const std::size_t comma = text.find(','); comma != std::string::npos
        && text.find(',', comma + 1) == std::string::npos && text.find('.') == std::string::npos)
        text[comma] = '.';
    const std::optional<double> value = TextToNumber(text);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    CellNumber number { *value, std::nullopt };
    if (text.find_first_of("eE") != std::string::npos) return number;
    const std::string_view digits = trimmed(text);
    const std::size_t point = digits.find('.');
    if (point == std::string_view::npos) {
        number.format = "0";
    } else {
        const std::size_t decimals = digits.size() - point - 1;
        number.format = decimals == 0 ? "0." : "0." + std::string(decimals, '0');
    }
    return number;
}

class XlsxWriter : public RowWriter {
public:
    XlsxWriter(std::ostream &out, std::vector<OutputColumn> columns, const std::string &sheetName)
        : m_out(out), m_columns(std::move(columns))
    {
        // The workbook is made in a file of its own, then handed over whole.
        if (!m_file.open()) fail(m_file.errorString().toStdString());
        m_file.close();
        m_path = QFile::encodeName(m_file.fileName()).toStdString();
        m_workbook = workbook_new(m_path.c_str());
        if (m_workbook == nullptr) fail("the workbook cannot be made");
        m_sheet = workbook_add_worksheet(m_workbook, sheetName.c_str());
        lxw_format *bold = workbook_add_format(m_workbook);
        format_set_bold(bold);
        for (std::size_t i = 0; i < m_columns.size(); ++i)
            worksheet_write_string(
                m_sheet, 0, column(i), std::string(m_columns[i].name).c_str(), bold);
    }

    ~XlsxWriter() override
    {
        if (m_workbook != nullptr) workbook_close(m_workbook);
    }

    XlsxWriter(const XlsxWriter &) = delete;
    XlsxWriter &operator=(const XlsxWriter &) = delete;

    void write(std::span<const std::string> cells) override
    {
        ++m_row;
        if (m_row > kLastRow) fail("a sheet holds at most 1,048,575 rows below its header");
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::string &text = cells[i];
            if (text.empty()) continue;
            const OutputColumn &column = m_columns[i];
            const bool numeric = column.alignRight || column.withValue || column.count;
            if (const std::optional<CellNumber> number
                = numeric ? cellNumber(text) : std::nullopt) {
                worksheet_write_number(
                    m_sheet, m_row, this->column(i), number->value, formatOf(number->format));
            } else {
                worksheet_write_string(m_sheet, m_row, this->column(i), text.c_str(), nullptr);
            }
        }
    }

    void finish() override
    {
        const lxw_error closed = workbook_close(m_workbook);
        m_workbook = nullptr;
        if (closed != LXW_NO_ERROR) fail(lxw_strerror(closed));
        QFile file(m_file.fileName());
        if (!file.open(QIODevice::ReadOnly)) fail(file.errorString().toStdString());
        const QByteArray bytes = file.readAll();
        m_out.write(bytes.constData(), bytes.size());
    }

private:
    static constexpr lxw_row_t kLastRow = 1048575;

    static lxw_col_t column(std::size_t index) { return static_cast<lxw_col_t>(index); }

    lxw_format *formatOf(const std::optional<std::string> &format)
    {
        if (!format) return nullptr;
        auto [found, added] = m_formats.try_emplace(*format, nullptr);
        if (added) {
            found->second = workbook_add_format(m_workbook);
            format_set_num_format(found->second, format->c_str());
        }
        return found->second;
    }

    [[noreturn]] static void fail(const std::string &why)
    {
        throw UsageError("the .xlsx output cannot be written: " + why);
    }

    std::ostream &m_out;
    std::vector<OutputColumn> m_columns;
    QTemporaryFile m_file;
    std::string m_path;
    lxw_workbook *m_workbook = nullptr;
    lxw_worksheet *m_sheet = nullptr;
    std::map<std::string, lxw_format *> m_formats;
    lxw_row_t m_row = 0;
};

} // namespace

std::unique_ptr<RowWriter> makeXlsxWriter(
    std::ostream &out, std::vector<OutputColumn> columns, const std::string &sheetName)
{
    return std::make_unique<XlsxWriter>(out, std::move(columns), sheetName);
}

} // namespace kestrune

#else

namespace kestrune {

// Options refuse --format xlsx in a build without libxlsxwriter; this is never reached.
std::unique_ptr<RowWriter> makeXlsxWriter(
    std::ostream &, std::vector<OutputColumn>, const std::string &)
{
    throw UsageError("the format xlsx is not available in this build of kestrune-calc");
}

} // namespace kestrune

#endif
