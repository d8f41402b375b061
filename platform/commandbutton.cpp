// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/commandbutton.h"

#include "platform/clicks.h"

#include <QPointer>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <qdrawutil.h>

namespace kestrune {

void CommandButton::setFaceColour(const QColor &colour)
{
    m_face = colour;
    update();
}

void CommandButton::mousePressEvent(QMouseEvent *event)
{
    QPointer<CommandButton> alive = this;
    QPushButton::mousePressEvent(event);
    if (alive) finishClickIfReleaseLost(this, event);
}

void CommandButton::paintEvent(QPaintEvent *event)
{
    if (!m_face.isValid()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const bool sunken = isDown() || isChecked();
    const QBrush face(m_face);
    qDrawWinButton(&painter, rect(), palette(), sunken, &face);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        focus.backgroundColor = m_face;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
    // The caption, moved down and right by the style's shift while the button is pressed.
    option.rect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (sunken)
        option.rect.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
            style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    option.palette.setColor(QPalette::Button, m_face);
    // The face is fixed, so the caption is too: black, whatever the desktop's colour scheme.
    option.palette.setColor(QPalette::ButtonText, Qt::black);
    painter.drawControl(QStyle::CE_PushButtonLabel, option);
}

} // namespace kestrune
