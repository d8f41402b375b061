// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where kestrune-calc's output goes, whole or not at all: a file (written beside and renamed into
// place, only onto a regular file or a new name), or standard output for "-".

#include <QByteArray>

#include <string>

namespace kestrune {

// Throws UsageError naming the file and the system's reason.
void WriteWhole(const std::string &path, const QByteArray &bytes);

} // namespace kestrune
