// SPDX-License-Identifier: GPL-3.0-or-later
// The Calculate command and the rated-load routines of the two unit systems.

#include "mainwindow/marrowstep.h"

#include "core/ratedloads.h"
#include "platform/qttext.h"
#include "platform/services.h"
#include "platform/textbox.h"

namespace kestrune {

namespace {

struct LoadFields {
    TextBox *projection, *rise, *width;
    TextBox *structuralOwn, *structuralOther, *machineryOwn, *machineryOther;
    TextBox *brakeRunOwn, *brakeRunOther, *brakeStaticOwn, *brakeStaticOther;
};

} // namespace

void Marrowstep::cmdCalculate_Click()
{
    // A rejected angle has already been put back to 30 degrees 0 minutes when the check returns;
    // the calculation goes on with that.
    AngleCheck();
    if (ImperialMode) ImperialCalc();
    if (!ImperialMode) MetricCalc();
}

// Shared by ImperialCalc and MetricCalc, which differ only in their fields and factors.
static void calculateLoads(Marrowstep &window, Services &services, const LoadFields &fields,
    const LoadFactors &factors, TextBox *degrees, TextBox *minutes, TextBox *cotangent,
    void (Marrowstep::*widthCheck)())
{
    // Presence: every measurement positive, and degrees plus minutes (as typed) above zero.
    const double m = ParseNumber(minutes->text());
    const double p = ParseNumber(fields.projection->text());
    const double r = ParseNumber(fields.rise->text());
    const double w = ParseNumber(fields.width->text());
    const double d = ParseNumber(degrees->text());
    if (p <= 0 || r <= 0 || w <= 0 || d + m <= 0) {
        services.showMessage(&window,
            QStringLiteral("Please make an entry in all four categories."),
            MessageStyle::Information, QStringLiteral("Insufficient Data"));
        return;
    }

    // The step-width check warns and moves the focus; the loads are computed with the width as
    // typed.
    (window.*widthCheck)();

    // The load formulas read the rise as a plain number: "12ft" passes the presence check above
    // but is no rise to compute with.
    const std::optional<double> rise = TextToNumber(fields.rise->text());
    if (!rise) {
        services.showMessage(&window,
            QStringLiteral("The total rise must be a plain number, without units or other "
                           "characters. No loads were calculated."),
            MessageStyle::Stop, QStringLiteral("Incorrect Total Rise"));
        return;
    }

    const LoadInputs inputs { ParseNumber(fields.projection->text()), *rise,
        ParseNumber(fields.width->text()), ParseNumber(degrees->text()),
        ParseNumber(minutes->text()) };
    const LoadResult result = ComputeRatedLoads(factors, inputs);
    switch (result.problem) {
    case LoadProblem::None:
        break;
    case LoadProblem::NotComputable:
        services.showMessage(&window,
            QStringLiteral("The rated loads cannot be calculated for these measurements and this "
                           "angle of inclination. No loads were calculated."),
            MessageStyle::Stop, QStringLiteral("Cannot Calculate"));
        return;
    case LoadProblem::TooLarge:
        services.showMessage(&window,
            QStringLiteral("The rated loads for these measurements and this angle of inclination "
                           "are too large for their boxes (10,000,000 or more). No loads were "
                           "calculated."),
            MessageStyle::Stop, QStringLiteral("Result Too Large"));
        return;
    }

    const LoadTexts &texts = result.texts;
    auto text = [](const std::string &value) { return QString::fromStdString(value); };
    fields.structuralOwn->setFieldText(text(texts.structuralOwn));
    fields.structuralOther->setFieldText(text(texts.structuralOther));
    fields.machineryOwn->setFieldText(text(texts.machineryOwn));
    fields.machineryOther->setFieldText(text(texts.machineryOther));
    // The brake rated load with the escalator running is the machinery rated load.
    fields.brakeRunOwn->setFieldText(fields.machineryOwn->text());
    fields.brakeRunOther->setFieldText(fields.machineryOther->text());
    fields.brakeStaticOwn->setFieldText(text(texts.brakeStaticOwn));
    fields.brakeStaticOther->setFieldText(text(texts.brakeStaticOther));
    cotangent->setFieldText(text(texts.cotangent));
}

void Marrowstep::ImperialCalc()
{
    const LoadFields fields { ui.txtProjImp, ui.txtRiseImp, ui.txtWidthImp, ui.txtStructImp,
        ui.txtStructMet, ui.txtMachImp, ui.txtMachMet, ui.txtBrakeRunImp, ui.txtBrakeRunMet,
        ui.txtBrakeStopImp, ui.txtBrakeStopMet };
    calculateLoads(*this, m_services, fields, kImperialLoads, ui.txtDeg, ui.txtMin, ui.txtCotangent,
        &Marrowstep::txtWidthImp_LostFocus);
}

void Marrowstep::MetricCalc()
{
    const LoadFields fields { ui.txtProjMet, ui.txtRiseMet, ui.txtWidthMet, ui.txtStructMet,
        ui.txtStructImp, ui.txtMachMet, ui.txtMachImp, ui.txtBrakeRunMet, ui.txtBrakeRunImp,
        ui.txtBrakeStopMet, ui.txtBrakeStopImp };
    calculateLoads(*this, m_services, fields, kMetricLoads, ui.txtDeg, ui.txtMin, ui.txtCotangent,
        &Marrowstep::txtWidthMet_LostFocus);
}

} // namespace kestrune
