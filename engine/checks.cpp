// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/marrowstep.h"

namespace kestrune {

void Marrowstep::AngleCheck() { }
void Marrowstep::txtWidthImp_LostFocus() { }
void Marrowstep::txtWidthMet_LostFocus() { }

} // namespace kestrune
