// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands/escalatorrow.h"

#include "core/calculation.h"

#include <array>

namespace kestrune {

namespace {

// The input column of a measurement's box, or of an angle box.
InputColumn columnOf(Box box)
{
    if (box == Box::Degrees) return InputColumn::Degrees;
    if (box == Box::Minutes) return InputColumn::Minutes;
    return static_cast<InputColumn>(static_cast<std::size_t>(InputColumn::Projection)
        + static_cast<std::size_t>(QuantityOf(box)));
}

// The main window's boxes as a row of texts; its messages go to `notices`.
class EscalatorRow final : public EscalatorBoxes {
public:
    EscalatorRow(UnitSystem source, BoxNotices &notices) : m_source(source), m_notices(notices) { }

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
        if (m_refused) return;
        Notice notice { verdict.box ? std::string(columnName(columnOf(*verdict.box))) : "",
            verdict.message->prompt };
        m_refused = verdict.reason != Reason::TwinTooLarge
            && verdict.reason != Reason::StepWidthOutOfRange;
        if (m_refused)
            m_notices.error = std::move(notice);
        else
            m_notices.warnings.push_back(std::move(notice));
    }
    void focus(Box) override { }

    ReportColumn column(UnitSystem s) const
    {
        auto at = [&](Quantity quantity) { return text(BoxOf(quantity, s)); };
        return { at(Quantity::Projection), at(Quantity::Rise), at(Quantity::Width),
            at(Quantity::Structural), at(Quantity::Machinery), at(Quantity::BrakeStatic),
            at(Quantity::BrakeRunning) };
    }

private:
    std::string &at(Box box) { return m_texts[static_cast<std::size_t>(box)]; }

    UnitSystem m_source;
    BoxNotices &m_notices;
    bool m_refused = false;
    std::array<std::string, kBoxCount> m_texts;
};

} // namespace

EscalatorResult CalculateEscalator(const EscalatorEntry &entry)
{
    BoxNotices notices;
    EscalatorRow row(entry.units, notices);
    const std::pair<Box, const std::string &> typed[] = {
        { BoxOf(Quantity::Projection, entry.units), entry.projection },
        { BoxOf(Quantity::Rise, entry.units), entry.rise },
        { BoxOf(Quantity::Width, entry.units), entry.width },
        { Box::Degrees, entry.degrees },
        { Box::Minutes, entry.minutes },
    };
    for (const auto &[box, given] : typed) {
        const InputColumn column = columnOf(box);
        row.put(box,
            BoxText({ columnName(column), quantityName(column), BoxLength(box) }, given, notices,
                kNoLoads));
    }
    row.put(Box::Identification, entry.id);

    // The twins, as the window fills them while the user types; then Calculate, unless a text
    // did not fit its box.
    ConvertMeasurements(row);
    if (!notices.error) Calculate(row);
    EscalatorResult result { std::move(notices.warnings), std::move(notices.error), {} };
    if (result.error)
        result.report.identification = row.text(Box::Identification);
    else
        result.report = { row.text(Box::Identification), row.text(Box::Degrees),
            row.text(Box::Minutes), row.text(Box::Cotangent), row.column(UnitSystem::Imperial),
            row.column(UnitSystem::Metric) };
    return result;
}

} // namespace kestrune
