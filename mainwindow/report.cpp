// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/marrowstep.h"

namespace kestrune {

void Marrowstep::mnuPrintData_Click() { }
void Marrowstep::mnuPrintForm_Click() { }

} // namespace kestrune
