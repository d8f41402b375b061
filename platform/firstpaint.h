// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// For the checks that start the program and need it to end by itself (the command-line tests and
// the package check), switched on by KESTRUNE_QUIT_WHEN_IDLE=1: once a window has been painted for
// the first time, the program quits as soon as the event loop is free, the point at which the user
// sees the window ready, so exit status 0 means the window opened. It shows and records nothing.

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

// Quits after `window` is first painted, when the environment asks for it.
inline void quitAfterFirstPaintWhenAsked(QObject *window)
{
    if (qEnvironmentVariableIntValue("KESTRUNE_QUIT_WHEN_IDLE") == 1)
        window->installEventFilter(new QuitAfterFirstPaint(QCoreApplication::instance()));
}

} // namespace kestrune
