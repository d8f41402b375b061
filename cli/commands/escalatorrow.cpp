// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands/escalatorrow.h"

#include "core/calculation.h"

#include <array>

namespace kestrune {

namespace {

InputColumn columnOf(Box box)
{
    switch (box) {
    case Box::Degrees:
        return InputColumn::Degrees;
    case Box::Minutes:
        return InputColumn::Minutes;
    default:
        break;
    }
    return static_cast<InputColumn>(static_cast<std::size_t>(InputColumn::Projection)
        + static_cast<std::size_t>(QuantityOf(box)));
}

// The main window's boxes as a row of texts.
class EscalatorRow final : public EscalatorBoxes {
public:
    explicit EscalatorRow(UnitSystem source) : m_source(source) { }

    // A text as the user leaves it typed: kept as its box keeps it, its change handling not run.
    void put(Box box, std::string_view text) { at(box) = cut(text, BoxLength(box)); }

    UnitSystem source() const override { return m_source; }
    std::string text(Box box) const override { return m_texts[static_cast<std::size_t>(box)]; }
    std::string cut(std::string_view text, std::size_t length) const override
    {
        return FirstCharacters(text, length);
    }
    void write(Box box, std::string_view text) override
    {
        std::string kept = cut(text, BoxLength(box));
        if (kept == at(box)) return;
        at(box) = std::move(kept);
        BoxChanged(*this, box);
    }
    void tell(const Verdict &verdict) override
    {
        // After a refusal the window goes on (with 30 degrees, for a refused angle); the row has
        // no loads to give, and no more to say.
        if (refusal) return;
        Notice notice { verdict.box ? std::string(columnName(columnOf(*verdict.box))) : "",
            verdict.message->prompt };
        if (verdict.reason == Reason::TwinTooLarge || verdict.reason == Reason::StepWidthOutOfRange)
            warnings.push_back(std::move(notice));
        else
            refusal = std::move(notice);
    }
    void focus(Box) override { }

    std::vector<Notice> warnings;
    std::optional<Notice> refusal;

private:
    std::string &at(Box box) { return m_texts[static_cast<std::size_t>(box)]; }

    UnitSystem m_source;
    std::array<std::string, kBoxCount> m_texts;
};

ReportColumn columnTexts(const EscalatorRow &row, UnitSystem s)
{
    auto at = [&](Quantity quantity) { return row.text(BoxOf(quantity, s)); };
    return { at(Quantity::Projection), at(Quantity::Rise), at(Quantity::Width),
        at(Quantity::Structural), at(Quantity::Machinery), at(Quantity::BrakeStatic),
        at(Quantity::BrakeRunning) };
}

} // namespace

EscalatorResult CalculateEscalator(const EscalatorEntry &entry)
{
    EscalatorResult result;
    EscalatorRow row(entry.units);
    BoxNotices notices;
    const struct {
        InputColumn column;
        Box box;
        const std::string &given;
    } typed[] = {
        { InputColumn::Projection, BoxOf(Quantity::Projection, entry.units), entry.projection },
        { InputColumn::Rise, BoxOf(Quantity::Rise, entry.units), entry.rise },
        { InputColumn::Width, BoxOf(Quantity::Width, entry.units), entry.width },
        { InputColumn::Degrees, Box::Degrees, entry.degrees },
        { InputColumn::Minutes, Box::Minutes, entry.minutes },
    };
    for (const auto &t : typed) {
        const InputBox box { columnName(t.column), quantityName(t.column), BoxLength(t.box) };
        row.put(t.box, BoxText(box, t.given, notices, kNoLoads));
    }
    row.put(Box::Identification, entry.id);
    result.report.identification = row.text(Box::Identification);

    // The twins, as the window fills them while the user types; then Calculate, unless a text
    // did not fit its box.
    ConvertMeasurements(row);
    if (!notices.error) Calculate(row);
    result.warnings = std::move(notices.warnings);
    result.warnings.insert(result.warnings.end(), row.warnings.begin(), row.warnings.end());
    result.error = notices.error ? std::move(notices.error) : std::move(row.refusal);
    if (result.error) return result;

    ReportFields &report = result.report;
    report.degrees = row.text(Box::Degrees);
    report.minutes = row.text(Box::Minutes);
    report.cotangent = row.text(Box::Cotangent);
    report.imperial = columnTexts(row, UnitSystem::Imperial);
    report.metric = columnTexts(row, UnitSystem::Metric);
    return result;
}

} // namespace kestrune
