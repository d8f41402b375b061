// SPDX-License-Identifier: GPL-3.0-or-later
// The field rules of the triangle window: a change to an input field withdraws what was derived
// from it (its row's result and the angle display), the clear routines the solve commands start
// with, and the angle display filled from the two legs.

#include "triangle/frmtriangle.h"

#include "platform/qttext.h"
#include "platform/services.h"
#include "platform/textbox.h"

#include <cmath>

namespace kestrune {

namespace {

// Radians to degrees. The factor is a little larger than 180/pi, so legs in the ratio of a whole
// angle give a value just above it (legs 1 and 1 give 45.0000000514 degrees) and the display
// shows that angle's whole degrees.
constexpr double kRadiansToDegrees = 57.2957795785523;

void blank(std::initializer_list<TextBox *> fields)
{
    for (TextBox *field : fields)
        field->setFieldText(QString());
}

} // namespace

void frmTriangle::ClearAngles()
{
    blank({ ui.Text34, ui.Text35, ui.Text36, ui.Text37, ui.Text38, ui.Text39 });
}

void frmTriangle::ClearSides()
{
    blank({ ui.Text1, ui.Text2, ui.Text3, ui.Text4, ui.Text5, ui.Text6, ui.Text23, ui.Text24,
        ui.Text25 });
}

void frmTriangle::Clear12()
{
    blank({ ui.Text1, ui.Text2, ui.Text3, ui.Text4, ui.Text5, ui.Text6 });
}

void frmTriangle::Clear23()
{
    blank({ ui.Text4, ui.Text5, ui.Text6, ui.Text23, ui.Text24, ui.Text25 });
}

void frmTriangle::Clear13()
{
    blank({ ui.Text1, ui.Text2, ui.Text3, ui.Text23, ui.Text24, ui.Text25 });
}

void frmTriangle::Angle1(double a, double b)
{
    // The legs as their texts read back, which is how every other step sees a number.
    const double legB = ParseNumber(NumberToQText(b));
    const double legA = ParseNumber(NumberToQText(a));
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(legA) || !std::isfinite(legB)) {
        refuseTooLarge();
        return;
    }
    if (legB == 0) {
        // No angle follows from a horizontal leg of 0: the display stays as the command's clear
        // routine left it, and the row's result stays on show.
        m_services.showMessage(this,
            QStringLiteral("The angles cannot be shown because side b is 0."), Question,
            QStringLiteral("Angles Unknown"));
        return;
    }

    const double angleA = std::atan(legA / legB) * kRadiansToDegrees;
    const double degrees = std::floor(angleA);
    const double minutes = RoundHalfEven((angleA - degrees) * 60, 0);
    if (minutes == 60) {
        // 59.5 minutes and more carry into the next degree: the display never shows 60 minutes.
        ui.Text34->setFieldText(NumberToQText(degrees + 1));
        ui.Text35->setFieldText(QStringLiteral("0"));
    } else {
        ui.Text34->setFieldText(NumberToQText(degrees));
        ui.Text35->setFieldText(NumberToQText(minutes));
    }

    // B is the complement of A as displayed, so the two always add up to 90 degrees 0 minutes.
    const double shownMinutes = TextToNumber(ui.Text35->text()).value_or(0);
    const double shownDegrees = TextToNumber(ui.Text34->text()).value_or(0);
    if (shownMinutes == 0) {
        ui.Text36->setFieldText(NumberToQText(90 - shownDegrees));
        ui.Text37->setFieldText(QStringLiteral("0"));
    } else {
        ui.Text36->setFieldText(NumberToQText(89 - shownDegrees));
        ui.Text37->setFieldText(NumberToQText(60 - shownMinutes));
    }

    ui.Text38->setFieldText(QStringLiteral("90"));
    ui.Text39->setFieldText(QStringLiteral("0"));
}

// A change to an input field blanks its own row's result and the angle display, nothing else.

void frmTriangle::Text1_Change()
{
    ui.Text3->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text2_Change()
{
    ui.Text3->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text4_Change()
{
    ui.Text6->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text5_Change()
{
    ui.Text6->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text23_Change()
{
    ui.Text25->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text24_Change()
{
    ui.Text25->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text7_Change()
{
    ui.Text9->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text10_Change()
{
    ui.Text9->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text8_Change()
{
    ui.Text9->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text11_Change()
{
    ui.Text14->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text12_Change()
{
    ui.Text14->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text13_Change()
{
    ui.Text14->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text15_Change()
{
    ui.Text18->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text16_Change()
{
    ui.Text18->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text17_Change()
{
    ui.Text18->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text20_Change()
{
    ui.Text21->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text19_Change()
{
    ui.Text21->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text22_Change()
{
    ui.Text21->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text31_Change()
{
    ui.Text32->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text30_Change()
{
    ui.Text32->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text33_Change()
{
    ui.Text32->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text28_Change()
{
    ui.Text27->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text29_Change()
{
    ui.Text27->setFieldText(QString());
    ClearAngles();
}

void frmTriangle::Text26_Change()
{
    ui.Text27->setFieldText(QString());
    ClearAngles();
}

} // namespace kestrune
