// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/services.h"

#include <QLocale>

namespace kestrune {

QString shortDateText(QDate date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

} // namespace kestrune
