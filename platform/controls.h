// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Building blocks of the two windows: the window font, labels that keep their caption as stored,
// and command buttons. Every control gets its name (objectName) where it is created; the
// scripted driver and the tests find controls by that name.
//
// Labels and buttons keep their caption whole: where the face at hand is wider than the one the
// layout was made for (DejaVu Sans where neither MS Sans Serif nor Liberation Sans is installed),
// the caption's font shrinks until the caption fits its control; the control keeps its place and
// size, and a caption that fits keeps its designed size.

#include <QFont>
#include <QRect>
#include <QString>

class QColor;
class QLabel;
class QPushButton;
class QWidget;

namespace kestrune {

class TextBox;

// The windows' bold sans-serif face: MS Sans Serif where the system has it, otherwise a sans-serif
// of close metrics (Liberation Sans, then DejaVu Sans).
QFont windowFont(double pointSize = 9.75, bool bold = true);

// A label. `caption` is stored as designed ("&&" standing for one "&"), shown with "&&" as "&".
QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, QRect geometry,
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

// A command button (see commandbutton.h).
QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, QRect geometry);

// Shows `button`'s face flat in `colour`, as the graphical button style of the windows' designs.
void setButtonFace(QPushButton *button, const QColor &colour);

TextBox *makeTextBox(QWidget *parent, const char *name, int maxLength, QRect geometry);

// Keeps the caption of `control` (a label or a button made above) inside the control, now and
// whenever the control's font or size changes: the designed font where the caption fits in it,
// otherwise the largest size, in quarter points, at which it fits.
void fitCaptionToControl(QWidget *control);

// The caption of a label or button as stored, with its "&".
QString storedCaption(const QWidget *control);

} // namespace kestrune
