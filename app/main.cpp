// SPDX-License-Identifier: GPL-3.0-or-later
// Kestrune: starts the main window and runs until the last window closes.

#include "mainwindow/marrowstep.h"
#include "platform/qtservices.h"
#include "platform/windowstyle.h"

#include <QApplication>
#include <QIcon>
#include <QIconEngine>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// The application's icon in all the sizes the launcher installs, read from the program's resources
// only when something asks for one of its images. Adding the files to a QIcon straight away would
// decode all seven PNGs before the window opens, on every start, even where no title bar shows
// them (Wayland takes the launcher's icon through the desktop file name).
class ApplicationIcon : public QIconEngine {
public:
    QIconEngine *clone() const override { return new ApplicationIcon; }
    QString key() const override { return QStringLiteral("KestruneApplicationIcon"); }
    bool isNull() override { return false; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : kSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(
        const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

private:
    static constexpr int kSizes[] = { 16, 24, 32, 48, 64, 128, 256 };

    QIcon &icon()
    {
        if (m_icon.isNull()) {
            for (int size : kSizes)
                m_icon.addFile(QStringLiteral(":/icons/%1x%1/org.kestrune.Kestrune.png").arg(size));
        }
        return m_icon;
    }

    QIcon m_icon;
};

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
    QApplication::setWindowIcon(QIcon(new ApplicationIcon));
    kestrune::installWindowStyle();

    kestrune::QtServices services;
    auto *window = new kestrune::Marrowstep(services);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    if (qEnvironmentVariableIntValue("KESTRUNE_QUIT_WHEN_IDLE") == 1)
        window->installEventFilter(new QuitAfterFirstPaint(&app));
    return app.exec();
}
