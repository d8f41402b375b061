// SPDX-License-Identifier: GPL-3.0-or-later
// The help and start-up texts on Windows.
#include "app/platformtexts.h"

#include "core/appinfo.h"
#include "platform/qttext.h"

namespace kestrune {

QString windowSystemOptionsHelp()
{
    return QStringLiteral("  -platform NAME      the window system: windows, or offscreen\n");
}

QString defaultWindowSystem()
{
    return QStringLiteral("windows");
}

QString windowSystemChoices()
{
    return QStringLiteral("windows or offscreen");
}

QString fontInstallHint()
{
    return QStringLiteral("install a font such as Arial or Microsoft Sans Serif in Windows' "
                          "Fonts settings");
}

QString manualHelp()
{
    return QStringLiteral(
        "User guide: doc\\user-guide.html beside the program.  Home page: https://%1/\n")
        .arg(fromUtf8(kWebAddress));
}

} // namespace kestrune
