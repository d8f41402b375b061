// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/marrowstep.h"

namespace kestrune {

void Marrowstep::cmdCalculate_Click() { }
void Marrowstep::ImperialCalc() { }
void Marrowstep::MetricCalc() { }

} // namespace kestrune
