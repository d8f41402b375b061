// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kestrune {

// The maker's web address, shown in the window captions and at the foot of the printed report.
inline const QString kWebAddress = QStringLiteral("www.kestrune.org");

} // namespace kestrune
