// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A command button of Kestrune's windows. It finishes a click that a message box interrupted
// (see clicks.h), and it can show a face colour of its own: the face is then drawn flat in that
// colour, with a raised edge, or a sunken one while pressed, so that the colour shows as it is
// and not as the style's shading of it.

#include <QColor>
#include <QPushButton>

namespace kestrune {

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    void setFaceColour(const QColor &colour);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_face;
};

} // namespace kestrune
