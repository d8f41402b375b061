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

// A sentence for the user: `text`, then the system's `reason` after a colon where there is one,
// closed by exactly one full stop (Windows' reasons come with one; the C library's and CUPS's
// mostly without).
inline QString sentence(QString text, const QString &reason = {})
{
    if (!reason.isEmpty()) text += QStringLiteral(": ") + reason;
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text + QLatin1Char('.');
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
