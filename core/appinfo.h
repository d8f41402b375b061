// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace kestrune {

// The maker's web address, shown in the window captions and at the foot of the printed report.
inline constexpr std::string_view kWebAddress = "www.kestrune.org";

} // namespace kestrune
