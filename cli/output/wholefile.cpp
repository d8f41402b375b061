// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/output/wholefile.h"

#include "cli/options.h"
#include "printing/page.h"

#include <QString>

#include <iostream>
#include <optional>

namespace kestrune {

void WriteWhole(const std::string &path, const QByteArray &bytes)
{
    if (path == "-") {
        std::cout.write(bytes.constData(), bytes.size());
        std::cout.flush();
        if (!std::cout) throw UsageError("the output could not be written");
        return;
    }
    if (const std::optional<QString> why = SaveWhole(QString::fromStdString(path), bytes))
        throw UsageError("cannot write " + path + ": " + why->toStdString());
}

} // namespace kestrune
