// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ratedloads.h"

#include "core/numbers.h"

#include <cmath>

namespace kestrune {

LoadOutcome ComputeRatedLoads(const LoadFactors &factors, const LoadInputs &in, const TextCut &cut)
{
    LoadOutcome result;
    LoadTexts &out = result.texts;
    bool fits = true;
    bool finite = true;

    // A result's own text, and whether its field keeps the whole magnitude.
    auto own = [&](double value, std::size_t length) {
        finite = finite && std::isfinite(value);
        const std::string text = NumberToText(value);
        std::string kept = cut.cut(text, length);
        fits = fits && KeepsMagnitude(text, kept);
        return kept;
    };
    // The twin of a load, converted from the text its field kept.
    auto twin = [&](const std::string &ownText) {
        const std::optional<double> value = TextToNumber(ownText);
        const double converted = value ? *value * factors.massToOther : NAN;
        return own(converted, kLoadFieldLength);
    };
    auto tangent = [&] {
        double theta = in.minutes / 60;
        theta = in.degrees + theta;
        theta = theta * kRadiansPerDegree;
        return std::tan(theta);
    };

    double structural = in.width + factors.widthAllowance;
    structural = structural * in.projection;
    structural = structural * factors.structural;
    out.structuralOwn = own(structural, kLoadFieldLength);
    out.structuralOther = twin(out.structuralOwn);

    // The machinery and brake loads take the horizontal length as the rise times the cotangent,
    // the cotangent formed as 1 / t before the multiplication; the angle is read anew each time.
    auto slopeLoad = [&](double factor) {
        double load = in.rise * (1 / tangent());
        load = load * (in.width + factors.widthAllowance);
        return load * factor;
    };
    out.machineryOwn = own(slopeLoad(factors.machinery), kLoadFieldLength);
    out.machineryOther = twin(out.machineryOwn);
    out.brakeStaticOwn = own(slopeLoad(factors.brakeStatic), kLoadFieldLength);
    out.brakeStaticOther = twin(out.brakeStaticOwn);
    out.cotangent = own(1 / tangent(), kCotangentFieldLength);

    if (!finite)
        result = { { Message { "Cannot Calculate",
                         "The rated loads cannot be calculated for these measurements and this "
                         "angle of inclination. No loads were calculated.",
                         Stop },
                       Reason::NotComputable, std::nullopt },
            {} };
    else if (!fits)
        result = { { Message { "Result Too Large",
                         "The rated loads for these measurements and this angle of inclination "
                         "are too large for their boxes (10,000,000 or more). No loads were "
                         "calculated.",
                         Stop },
                       Reason::LoadsTooLarge, std::nullopt },
            {} };
    return result;
}

} // namespace kestrune
