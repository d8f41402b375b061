// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The printed results report: one page of 34 lines of fixed-pitch text, the identification, the
// date, the angle and its cotangent, then the measurements and rated loads in imperial and in
// metric units, exactly as the main window's boxes hold them. Nothing is reformatted or
// recalculated: a result never calculated prints as nothing between its label and its unit.
// Columns are counted in characters: every value starts in column 46, the identification in 36.

#include "core/escalator.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrune {

inline constexpr std::string_view kReportFont = "Courier New";

// One unit system's column of the window: its three measurements and its four loads.
struct ReportColumn {
    std::string projection, rise, width;
    std::string structural, machinery, brakeStatic, brakeRunning;
};

struct ReportFields {
    std::string identification;
    std::string degrees, minutes, cotangent;
    ReportColumn imperial, metric;
};

struct ReportLine {
    std::string text;
    bool bold = false;
    double points = 14;
};

// The page, top to bottom, for the fields as they stand, typed in `entered` (the other system's
// heading says it was converted), printed on the day `date` (already in the user's format).
std::vector<ReportLine> ReportLines(
    const ReportFields &fields, UnitSystem entered, std::string_view date);

} // namespace kestrune
