// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's input checks: the angle of inclination, kept between 0 and 31 degrees, and
// the step widths, warned about outside 22 to 40 inches or 560 to 1020 millimetres.

#include "mainwindow/marrowstep.h"

#include "platform/form.h"
#include "platform/qttext.h"
#include "platform/services.h"
#include "platform/textbox.h"

namespace kestrune {

void Marrowstep::AngleCheck()
{
    const double minutes = ParseNumber(ui.txtMin->text());
    const double degrees = ParseNumber(ui.txtDeg->text());
    double angle = minutes / 60;
    angle = degrees + angle;

    const QString title = QStringLiteral("Angle of Inclination");
    if (angle < 0) {
        m_services.showMessage(this,
            QStringLiteral("What kind of escalator has a negative angle of inclination? "),
            MessageStyle::Stop, title);
    } else if (angle > 31) {
        const QString prompt
            = QStringLiteral("The angle of inclination shall be designed not to exceed ")
            + QStringLiteral("30 degrees plus 1 degree due to ")
            + QStringLiteral("site conditions.");
        m_services.showMessage(this, prompt, MessageStyle::Stop, title);
    } else {
        return;
    }

    // Each write runs the field's change handling, and so this check again; writing the text a
    // field already holds runs nothing, which ends the chain once both read 30 and 0.
    ui.txtDeg->setFieldText(QStringLiteral("30"));
    ui.txtMin->setFieldText(QStringLiteral("0"));
    // Through the minutes, so that the degree box receives its focus handling (its whole text
    // selected) even when it held the focus before.
    m_form->setFocusTo(ui.txtMin);
    m_form->setFocusTo(ui.txtDeg);
}

namespace {

// Warns about a step width outside [low, high]; an empty or zero width passes. Returns whether
// the warning was shown.
bool warnAboutWidth(Services &services, QWidget *owner, const TextBox *box, double low, double high,
    const QString &range)
{
    const double width = ParseNumber(box->text());
    if (width == 0) return false;
    if (width >= low && width <= high) return false;
    services.showMessage(owner,
        QStringLiteral("The width of a step tread shall be not less than ") + range,
        MessageStyle::Stop, QStringLiteral("Incorrect Step Width"));
    return true;
}

} // namespace

void Marrowstep::txtWidthImp_LostFocus()
{
    if (warnAboutWidth(m_services, this, ui.txtWidthImp, 22, 40,
            QStringLiteral("22 inches nor more than 40 inches."))) {
        // The focus goes back so the user can type the width again at once, unless the box shows
        // the converted twin, which cannot be edited (the user would be held in it for ever).
        if (!ui.txtWidthImp->isLocked()) m_form->setFocusTo(ui.txtWidthImp);
    }
}

void Marrowstep::txtWidthMet_LostFocus()
{
    if (warnAboutWidth(m_services, this, ui.txtWidthMet, 560, 1020,
            QStringLiteral("560 mm nor more than 1020 mm."))) {
        if (!ui.txtWidthMet->isLocked()) m_form->setFocusTo(ui.txtWidthMet);
    }
}

} // namespace kestrune
