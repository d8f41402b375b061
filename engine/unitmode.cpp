// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/marrowstep.h"

namespace kestrune {

void Marrowstep::cmdImperial_Click() { }
void Marrowstep::cmdMetric_Click() { }

} // namespace kestrune
