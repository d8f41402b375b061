// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clicks.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>

namespace kestrune {

void finishClickIfReleaseLost(QWidget *control, const QMouseEvent *press)
{
    if (press->type() != QEvent::MouseButtonPress) return;
    // The press says the button is down, but the button was released since.
    const Qt::MouseButton button = press->button();
    if (!(press->buttons() & button) || (QGuiApplication::mouseButtons() & button)) return;
    // Sent once the press has been handled, as the release would have come after it.
    QCoreApplication::postEvent(control,
        new QMouseEvent(QEvent::MouseButtonRelease, press->position(), press->scenePosition(),
            press->globalPosition(), button, press->buttons() & ~button, press->modifiers(),
            press->pointingDevice()));
}

} // namespace kestrune
