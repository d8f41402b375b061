// SPDX-License-Identifier: GPL-3.0-or-later
// Kestrune: starts the main window and runs until the last window closes.

#include "mainwindow/marrowstep.h"
#include "platform/qtservices.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("kestrune: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                   "Kestrune is a desktop program: start it from a graphical session, or under a\n"
                   "virtual display, for example:  xvfb-run -a build/bin/kestrune\n",
            stderr);
        return EXIT_FAILURE;
    }
#endif
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrune"));
    QApplication::setApplicationVersion(QStringLiteral(KESTRUNE_VERSION));

    kestrune::QtServices services;
    auto *window = new kestrune::Marrowstep(services);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return app.exec();
}
