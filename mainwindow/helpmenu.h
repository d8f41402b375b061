// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The help items of the main window's Info menu: the user guide, shown in the program's help
// window, and the About box. Both go through the window's Services, so the scripted driver records
// them.

class QMenu;
class QWidget;

namespace kestrune {

class Services;

// Adds "User Guide" (F1) and "About Kestrune" at the end of `menu`, below a separator.
void addHelpItems(QMenu *menu, QWidget *owner, Services &services);

} // namespace kestrune
