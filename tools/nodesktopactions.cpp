// SPDX-License-Identifier: GPL-3.0-or-later
// Where the build found no X11 with the XTEST extension, scripts run offscreen only.

#include "tools/useractions.h"

namespace kestrune {

// The same signature as the desktop mode it stands in for, which keeps the function it is given.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
std::unique_ptr<UserActions> makeDesktopActions(std::function<void(const QString &)>, QString *why)
{
    if (why) *why = QStringLiteral("this driver was built without X11 and XTEST");
    return nullptr;
}

} // namespace kestrune
