// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The number conversions for field texts held as QString.

#include "platform/numbers/numbers.h"

#include <QString>

namespace kestrune {

inline double ParseNumber(const QString &text)
{
    return ParseNumber(std::string_view(text.toStdString()));
}

inline std::optional<double> TextToNumber(const QString &text)
{
    return TextToNumber(std::string_view(text.toStdString()));
}

inline QString NumberToQText(double value)
{
    return QString::fromStdString(NumberToText(value));
}

} // namespace kestrune
