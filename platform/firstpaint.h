// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// For the start-up benchmark only (bench/startup.cpp), switched on by KESTRUNE_QUIT_WHEN_IDLE=1:
// once a window has been painted for the first time, the program quits as soon as the event loop
// is free, the point at which the user sees the window ready. Kestrune and the benchmark's bare
// toolkit window quit through this same hook, so their start-up times compare like for like. It
// shows and records nothing. Header only: the bare window includes it without linking Kestrune.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace kestrune {

class QuitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }
};

// Quits after `window` is first painted, when the benchmark asks for it.
inline void quitAfterFirstPaintWhenAsked(QObject *window)
{
    if (qEnvironmentVariableIntValue("KESTRUNE_QUIT_WHEN_IDLE") == 1)
        window->installEventFilter(new QuitAfterFirstPaint(QCoreApplication::instance()));
}

} // namespace kestrune
