// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Texts cross between the windows, which hold QString, and the calculation core, which works on
// UTF-8 std::string.

#include "core/numbers.h"

#include <QString>

#include <string>
#include <string_view>

namespace kestrune {

inline std::string toUtf8(const QString &text)
{
    return text.toStdString();
}

inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The number conversions on a box's text.
inline double ParseNumber(const QString &text)
{
    return ParseNumber(toUtf8(text));
}

inline std::optional<double> TextToNumber(const QString &text)
{
    return TextToNumber(toUtf8(text));
}

} // namespace kestrune
