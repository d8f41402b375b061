// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calculation.h"

namespace kestrune {

ResultTexts ResultsByUnit(const LoadTexts &t, UnitSystem system)
{
    if (system == UnitSystem::Imperial)
        return { t.cotangent, t.structuralOwn, t.structuralOther, t.machineryOwn, t.machineryOther,
            t.brakeStaticOwn, t.brakeStaticOther, t.machineryOwn, t.machineryOther };
    return { t.cotangent, t.structuralOther, t.structuralOwn, t.machineryOther, t.machineryOwn,
        t.brakeStaticOther, t.brakeStaticOwn, t.machineryOther, t.machineryOwn };
}

LoadCalculation CalculateLoads(const LoadInputTexts &inputs, UnitSystem system)
{
    LoadCalculation out;
    LoadInputTexts in = inputs;
    if (const Verdict angle = CheckAngle(in.degrees, in.minutes); !angle.passed()) {
        out.angleRefused = angle.message;
        in.degrees = kStartDegrees;
        in.minutes = kStartMinutes;
    }
    out.degrees = in.degrees;
    out.minutes = in.minutes;
    if (const Verdict presence = CheckPresence(in); !presence.passed()) {
        out.error = presence.message;
        return out;
    }
    out.warning = CheckStepWidth(in.width, system).message;
    const LoadOutcome loads = ComputeLoadTexts(in, system);
    if (!loads.refusal.passed()) {
        out.error = loads.refusal.message;
        out.errorBox = loads.refusal.focus;
    } else
        out.results = ResultsByUnit(loads.texts, system);
    return out;
}

} // namespace kestrune
