// SPDX-License-Identifier: GPL-3.0-or-later
// The help and start-up texts on Linux and other Unix desktops (X11, Wayland).
#include "app/platformtexts.h"

#include "core/appinfo.h"
#include "platform/qttext.h"

namespace kestrune {

QString windowSystemOptionsHelp()
{
    return QStringLiteral(
        "  -platform NAME      the window system: xcb (X11), wayland, or offscreen\n"
        "  -display DISPLAY    the X11 display to open, for example :0\n");
}

QString defaultWindowSystem()
{
    return {};
}

QString windowSystemChoices()
{
    return QStringLiteral("xcb, wayland or offscreen");
}

QString fontInstallHint()
{
    return QStringLiteral("install fonts-liberation2 (or any sans-serif font)");
}

QString manualHelp()
{
    return QStringLiteral("Manual: man kestrune.  Home page: https://%1/\n")
        .arg(fromUtf8(kWebAddress));
}

} // namespace kestrune
