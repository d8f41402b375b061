// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The help items of the main window's Info menu: the user guide, shown in the desktop's browser,
// and the About box. Both go through the window's Services, so the scripted driver records them.

#include <QString>
#include <QStringList>

class QMenu;
class QWidget;

namespace kestrune {

class Services;

// Adds "User Guide" (F1) and "About Kestrune" at the end of `menu`, below a separator.
void addHelpItems(QMenu *menu, QWidget *owner, Services &services);

// The folders where the user guide is looked for, in order: the documentation folder beside the
// program (the installed program's share/doc/kestrune, and in a build tree the copy the build
// made there), then the documentation folder of the prefix the program was built for.
QStringList userGuideFolders();

// The user guide's page in the first of `folders` that holds it; empty when none does.
QString findUserGuide(const QStringList &folders);

// Opens the user guide in the desktop's browser, or tells the user why it cannot.
void showUserGuide(QWidget *owner, Services &services);

QString aboutText();

} // namespace kestrune
