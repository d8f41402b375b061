// SPDX-License-Identifier: GPL-3.0-or-later
// The nine solve commands of the triangle window. A side row computes the third side from two and
// fills the angle display. An angle row computes one side from an angle and a side, copies its
// side and result into a side row and runs that row's command, so the third side and the angles
// come from the texts as displayed, each computed side rounded to three decimals.

#include "triangle/frmtriangle.h"

#include "platform/qttext.h"
#include "platform/services.h"
#include "platform/textbox.h"

#include <cmath>

namespace kestrune {

namespace {

// Degrees to radians. The solver's results are defined with this value, not pi/180: their last
// digits depend on it (sin 30 degrees comes out as 0.49999999614...).
constexpr double kDegreesToRadians = 0.0174532923716197;

// An entered angle is accepted between these bounds, both included.
constexpr double kLowestAngle = 0.0000000001;
constexpr double kHighestAngle = 89.999999999;

} // namespace

void frmTriangle::refuse()
{
    m_services.showMessage(this, QStringLiteral("You no longer have a right triangle."), Question,
        QStringLiteral("Right Triangle?"));
}

void frmTriangle::refuseTooLarge()
{
    m_services.showMessage(this,
        QStringLiteral("The numbers are too large to compute. Enter smaller sides."), Question,
        QStringLiteral("Numbers Too Large"));
}

std::optional<double> frmTriangle::enteredAngle(const TextBox *degrees, const TextBox *minutes)
{
    const double angle = ParseNumber(degrees->text()) + ParseNumber(minutes->text()) / 60;
    // Written so that an angle that is not a number at all fails as well.
    if (!(angle >= kLowestAngle && angle <= kHighestAngle)) {
        refuse();
        return std::nullopt;
    }
    return angle;
}

bool frmTriangle::writeSide(TextBox *field, double value)
{
    const double rounded = RoundHalfEven(value, 3);
    const QString text = NumberToQText(rounded);
    // A side beyond the range of a double has no text to show, and the very largest doubles are
    // written as a text that reads back as beyond it: neither may stand in a field.
    if (!std::isfinite(rounded) || !std::isfinite(ParseNumber(text))) {
        refuseTooLarge();
        return false;
    }
    field->setFieldText(text);
    return true;
}

bool frmTriangle::handOver(TextBox *to1, const TextBox *from1, TextBox *to2, const TextBox *from2)
{
    // A side row keeps the first characters of a text copied into it. Losing decimals that way
    // is accepted (1234.567 arrives as 1234.56); losing whole digits or the exponent would make
    // the side row solve a side ten, a thousand or 10^15 times too small.
    auto keeps = [](const TextBox *from, const TextBox *to) {
        return CutKeepsMagnitude(
            from->text().toStdString(), static_cast<std::size_t>(to->maxLength()));
    };
    if (!keeps(from1, to1) || !keeps(from2, to2)) {
        // Nothing is copied: the side row stays blank rather than show a number that is not the
        // side, and the angle row's result stays on show in full.
        m_services.showMessage(this,
            QStringLiteral("The side has more digits than the side field holds."), Question,
            QStringLiteral("Side Too Long"));
        return false;
    }
    to1->setFieldText(from1->text());
    to2->setFieldText(from2->text());
    return true;
}

// Row 1: a and b known, h found.
void frmTriangle::Command1_Click()
{
    Clear23();
    const double a = ParseNumber(ui.Text1->text());
    const double b = ParseNumber(ui.Text2->text());
    if (a <= 0 || b <= 0) {
        refuse();
        return;
    }
    const double h = std::sqrt(std::pow(b, 2) + std::pow(a, 2));
    if (!writeSide(ui.Text3, h)) return;
    Angle1(ParseNumber(ui.Text1->text()), ParseNumber(ui.Text2->text()));
}

// Row 2: a and h known, b found.
void frmTriangle::Command2_Click()
{
    Clear13();
    const double a = ParseNumber(ui.Text4->text());
    const double h = ParseNumber(ui.Text5->text());
    if (a <= 0 || h <= 0 || h <= a) {
        refuse();
        return;
    }
    const double b = std::sqrt((h + a) * (h - a));
    if (!writeSide(ui.Text6, b)) return;
    // The leg b as displayed, rounded to three decimals.
    Angle1(ParseNumber(ui.Text4->text()), ParseNumber(ui.Text6->text()));
}

// Row 3: b and h known, a found.
void frmTriangle::Command7_Click()
{
    Clear12();
    const double b = ParseNumber(ui.Text23->text());
    const double h = ParseNumber(ui.Text24->text());
    if (b <= 0 || h <= 0 || h <= b) {
        refuse();
        return;
    }
    const double a = std::sqrt(std::pow(h, 2) - std::pow(b, 2));
    if (!writeSide(ui.Text25, a)) return;
    Angle1(ParseNumber(ui.Text25->text()), ParseNumber(ui.Text23->text()));
}

// Row 4: A and a known, b found; row 1 finds h.
void frmTriangle::Command3_Click()
{
    ClearSides();
    const std::optional<double> angle = enteredAngle(ui.Text7, ui.Text10);
    if (!angle) return;
    const double cot = 1.0 / std::tan(*angle * kDegreesToRadians);
    // The side is read only once the angle has passed.
    const double b = ParseNumber(ui.Text8->text()) * cot;
    if (!writeSide(ui.Text9, b) || !handOver(ui.Text1, ui.Text8, ui.Text2, ui.Text9)) return;
    Command1_Click();
}

// Row 5: B and b known, a found; row 1 finds h.
void frmTriangle::Command4_Click()
{
    ClearSides();
    const std::optional<double> angle = enteredAngle(ui.Text11, ui.Text12);
    if (!angle) return;
    const double cot = 1.0 / std::tan(*angle * kDegreesToRadians);
    const double a = ParseNumber(ui.Text13->text()) * cot;
    if (!writeSide(ui.Text14, a) || !handOver(ui.Text1, ui.Text14, ui.Text2, ui.Text13)) return;
    Command1_Click();
}

// Row 6: A and b known, h found; row 3 finds a.
void frmTriangle::Command5_Click()
{
    ClearSides();
    const std::optional<double> angle = enteredAngle(ui.Text15, ui.Text16);
    if (!angle) return;
    const double h = ParseNumber(ui.Text17->text()) / std::cos(*angle * kDegreesToRadians);
    if (!writeSide(ui.Text18, h) || !handOver(ui.Text23, ui.Text17, ui.Text24, ui.Text18)) return;
    Command7_Click();
}

// Row 7: B and a known, h found; row 2 finds b.
void frmTriangle::Command6_Click()
{
    ClearSides();
    const std::optional<double> angle = enteredAngle(ui.Text20, ui.Text19);
    if (!angle) return;
    const double h = ParseNumber(ui.Text22->text()) / std::cos(*angle * kDegreesToRadians);
    if (!writeSide(ui.Text21, h) || !handOver(ui.Text4, ui.Text22, ui.Text5, ui.Text21)) return;
    Command2_Click();
}

// Row 8: A and h known, a found; row 2 finds b.
void frmTriangle::Command9_Click()
{
    ClearSides();
    const std::optional<double> angle = enteredAngle(ui.Text31, ui.Text30);
    if (!angle) return;
    const double a = ParseNumber(ui.Text33->text()) * std::sin(*angle * kDegreesToRadians);
    if (!writeSide(ui.Text32, a) || !handOver(ui.Text4, ui.Text32, ui.Text5, ui.Text33)) return;
    Command2_Click();
}

// Row 9: B and h known, a found; row 2 finds b.
void frmTriangle::Command8_Click()
{
    ClearSides();
    const std::optional<double> angle = enteredAngle(ui.Text28, ui.Text29);
    if (!angle) return;
    const double a = ParseNumber(ui.Text26->text()) * std::cos(*angle * kDegreesToRadians);
    if (!writeSide(ui.Text27, a) || !handOver(ui.Text4, ui.Text27, ui.Text5, ui.Text26)) return;
    Command2_Click();
}

} // namespace kestrune
