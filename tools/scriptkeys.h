// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a script names a key and writes the text of a paste: `key Ctrl+V` becomes the key with its
// modifiers and the text a keyboard sends with it; `paste 12\t34` becomes the text put on the
// clipboard.

#include "tools/useractions.h"

#include <QString>

namespace kestrune {

// The key of a `key` command ("Tab", "Shift+Tab", "Ctrl+A", "Alt+z"...), with the text a keyboard
// sends with it. Throws ScriptError for a key or modifier the driver does not know.
KeyCombination parseKey(const QString &combination);

// The text of a paste command: \n a line break, \t a tab, \\ a backslash, all else literal.
QString pastedText(const QString &argument);

} // namespace kestrune
