// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's fields while the user types and moves the focus: whole-text selection on
// focus, the twin conversions between the unit systems, and the angle fields' checks.

#include "mainwindow/marrowstep.h"

#include "platform/form.h"
#include "platform/qttext.h"
#include "platform/services.h"
#include "platform/textbox.h"

#include <cmath>

namespace kestrune {

void Marrowstep::TextSelected()
{
    if (TextBox *box = m_form->activeTextBox()) box->selectWhole();
}

void Marrowstep::txtProjImp_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtProjMet_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtRiseImp_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtRiseMet_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtWidthImp_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtWidthMet_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtDeg_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtMin_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtStructImp_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtStructMet_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtMachImp_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtMachMet_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtBrakeStopImp_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtBrakeStopMet_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtBrakeRunImp_GotFocus()
{
    TextSelected();
}
void Marrowstep::txtBrakeRunMet_GotFocus()
{
    TextSelected();
}

// Survey feet to metres (1200/3937), metres to international feet, inches to millimetres, and
// millimetres to inches rounded to hundredths. The first two are not reciprocals: 33 feet come
// back as 33.0000 after a switch to metric and back.
constexpr double kFeetToMetres = 0.30480060960122;
constexpr double kMetresToFeet = 3.28083989501313;
constexpr double kInchesToMillimetres = 25.4;
constexpr double kMillimetresToInches = 0.03937007874016;

void Marrowstep::convertTwin(const TextBox *source, TextBox *twin, double factor,
    bool roundToHundredths, const QString &quantity)
{
    double value = ParseNumber(source->text()) * factor;
    if (roundToHundredths) value = RoundHalfEven(value, 2);
    const QString text = NumberToQText(value);
    if (std::isfinite(value) && CutKeepsMagnitude(text.toStdString(), twin->maxLength())) {
        twin->setFieldText(text);
        return;
    }
    // The box would show a number many times too small (or no number at all): show nothing.
    twin->setFieldText(QString());
    m_services.showMessage(this,
        QStringLiteral("The %1 is too large to be shown in its box, so the box is left empty.")
            .arg(quantity),
        MessageStyle::Stop, QStringLiteral("Conversion Too Large"));
}

void Marrowstep::txtProjImp_Change()
{
    if (ImperialMode)
        convertTwin(ui.txtProjImp, ui.txtProjMet, kFeetToMetres, false,
            QStringLiteral("horizontal projection in meters"));
    ClearAnswers();
}

void Marrowstep::txtRiseImp_Change()
{
    if (ImperialMode)
        convertTwin(ui.txtRiseImp, ui.txtRiseMet, kFeetToMetres, false,
            QStringLiteral("total rise in meters"));
    ClearAnswers();
}

void Marrowstep::txtWidthImp_Change()
{
    if (ImperialMode)
        convertTwin(ui.txtWidthImp, ui.txtWidthMet, kInchesToMillimetres, false,
            QStringLiteral("step width in millimeters"));
    ClearAnswers();
}

void Marrowstep::txtProjMet_Change()
{
    if (!ImperialMode)
        convertTwin(ui.txtProjMet, ui.txtProjImp, kMetresToFeet, false,
            QStringLiteral("horizontal projection in feet"));
    ClearAnswers();
}

void Marrowstep::txtRiseMet_Change()
{
    if (!ImperialMode)
        convertTwin(ui.txtRiseMet, ui.txtRiseImp, kMetresToFeet, false,
            QStringLiteral("total rise in feet"));
    ClearAnswers();
}

void Marrowstep::txtWidthMet_Change()
{
    if (!ImperialMode)
        convertTwin(ui.txtWidthMet, ui.txtWidthImp, kMillimetresToInches, true,
            QStringLiteral("step width in inches"));
    ClearAnswers();
}

// Every keystroke in an angle box checks the angle at once, so the boxes hold an accepted angle
// whenever Calculate is pressed.
void Marrowstep::txtDeg_Change()
{
    ClearAnswers();
    AngleCheck();
}

void Marrowstep::txtMin_Change()
{
    ClearAnswers();
    AngleCheck();
}

void Marrowstep::txtDeg_LostFocus()
{
    AngleCheck();
}

void Marrowstep::txtMin_LostFocus()
{
    AngleCheck();
}

} // namespace kestrune
