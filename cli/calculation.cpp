// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calculation.h"

#include "core/checks.h"
#include "core/conversions.h"
#include "core/numbers.h"

namespace kestrune {

namespace {

// The measurement a failed presence check is about: each input is checked alone, beside inputs
// that are surely present.
std::string missingColumn(const LoadInputTexts &inputs)
{
    const LoadInputTexts present { "1", "1", "1", "1", "0" };
    struct Probe {
        InputColumn column;
        LoadInputTexts texts;
    };
    const Probe probes[] = {
        { InputColumn::Projection,
            { inputs.projection, present.rise, present.width, present.degrees, present.minutes } },
        { InputColumn::Rise,
            { present.projection, inputs.rise, present.width, present.degrees, present.minutes } },
        { InputColumn::Width,
            { present.projection, present.rise, inputs.width, present.degrees, present.minutes } },
        { InputColumn::Degrees,
            { present.projection, present.rise, present.width, inputs.degrees, inputs.minutes } },
    };
    for (const Probe &probe : probes) {
        if (!CheckPresence(probe.texts).passed()) return std::string(columnName(probe.column));
    }
    return {};
}

std::string columnOfRefusal(const Message &message, const LoadInputTexts &inputs)
{
    if (!CheckPresence(inputs).passed()) return missingColumn(inputs);
    if (message.title == "Incorrect Total Rise") return std::string(columnName(InputColumn::Rise));
    return {};
}

} // namespace

EscalatorResult CalculateEscalator(const EscalatorEntry &entry)
{
    EscalatorResult result;
    const UnitSystem system = entry.units;
    BoxNotices notices;
    auto box = [&](InputColumn column, std::size_t length, std::string_view given) {
        return BoxText(
            { columnName(column), quantityName(column), length }, given, notices, kNoLoads);
    };
    LoadInputTexts inputs;
    inputs.projection = box(InputColumn::Projection, kMeasurementLength, entry.projection);
    inputs.rise = box(InputColumn::Rise, kMeasurementLength, entry.rise);
    inputs.width = box(InputColumn::Width, kMeasurementLength, entry.width);
    inputs.degrees = box(InputColumn::Degrees, kAngleLength, entry.degrees);
    inputs.minutes = box(InputColumn::Minutes, kAngleLength, entry.minutes);
    result.warnings = std::move(notices.warnings);
    result.error = std::move(notices.error);

    // Each measurement's twin in the other system, as the window fills it while the user types.
    ReportColumn own { inputs.projection, inputs.rise, inputs.width, {}, {}, {}, {} };
    ReportColumn twin;
    const struct {
        Measurement measurement;
        InputColumn column;
        const std::string &text;
        std::string &twinText;
    } twins[] = {
        { Measurement::Projection, InputColumn::Projection, inputs.projection, twin.projection },
        { Measurement::Rise, InputColumn::Rise, inputs.rise, twin.rise },
        { Measurement::Width, InputColumn::Width, inputs.width, twin.width },
    };
    for (const auto &pair : twins) {
        TwinText converted = ConvertTwin(pair.measurement, system, pair.text);
        pair.twinText = std::move(converted.text);
        if (converted.tooLarge)
            result.warnings.push_back(
                { std::string(columnName(pair.column)), converted.tooLarge->prompt });
    }

    result.report.identification = KeptText(entry.id, kIdentificationLength);
    if (result.error) return result;

    const LoadCalculation calculation = CalculateLoads(inputs, system);
    if (calculation.angleRefused) {
        result.error = Notice { std::string(columnName(InputColumn::Degrees)),
            calculation.angleRefused->prompt };
        return result;
    }
    if (calculation.warning)
        result.warnings.push_back(
            { std::string(columnName(InputColumn::Width)), calculation.warning->prompt });
    if (calculation.error) {
        result.error
            = Notice { columnOfRefusal(*calculation.error, inputs), calculation.error->prompt };
        return result;
    }

    const ResultTexts &loads = calculation.results;
    result.results = loads;
    ReportFields &report = result.report;
    report.degrees = calculation.degrees;
    report.minutes = calculation.minutes;
    report.cotangent = loads.cotangent;
    const bool imperial = system == UnitSystem::Imperial;
    report.imperial = imperial ? own : twin;
    report.metric = imperial ? twin : own;
    report.imperial.structural = loads.structuralLb;
    report.imperial.machinery = loads.machineryLb;
    report.imperial.brakeStatic = loads.brakeStaticLb;
    report.imperial.brakeRunning = loads.brakeRunningLb;
    report.metric.structural = loads.structuralKg;
    report.metric.machinery = loads.machineryKg;
    report.metric.brakeStatic = loads.brakeStaticKg;
    report.metric.brakeRunning = loads.brakeRunningKg;
    return result;
}

} // namespace kestrune
