// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's boxes while the user types and moves the focus, and the commands that write
// them: the twin conversions, the angle and step-width checks, Calculate, Clear and the unit
// buttons. Each write into a box runs that box's change handling before the next step, so the
// order of the writes here is the order the user's boxes see.

#include "mainwindow/mainwindow.h"

#include "core/checks.h"
#include "core/ratedloads.h"
#include "platform/form.h"
#include "platform/qttext.h"
#include "platform/textbox.h"

namespace kestrune {

TextBox *MainWindow::measurementBox(Measurement measurement, UnitSystem system) const
{
    const Column &c = column(system);
    switch (measurement) {
    case Measurement::Projection:
        return c.projection;
    case Measurement::Rise:
        return c.rise;
    case Measurement::Width:
        break;
    }
    return c.width;
}

LoadInputTexts MainWindow::sourceTexts() const
{
    const Column &c = column(m_system);
    return { toUtf8(c.projection->text()), toUtf8(c.rise->text()), toUtf8(c.width->text()),
        toUtf8(ui.degrees->text()), toUtf8(ui.minutes->text()) };
}

void MainWindow::measurementChanged(Measurement measurement, UnitSystem system)
{
    // Only the source system writes its twins, so a write into a twin never writes back.
    if (m_system == system) {
        const TwinText twin
            = ConvertTwin(measurement, system, toUtf8(measurementBox(measurement, system)->text()));
        measurementBox(measurement, OtherSystem(system))->setFieldText(fromUtf8(twin.text));
        if (twin.tooLarge) tell(*twin.tooLarge);
    }
    clearAnswers();
}

void MainWindow::checkAngle()
{
    const Verdict verdict = CheckAngle(toUtf8(ui.degrees->text()), toUtf8(ui.minutes->text()));
    if (verdict.passed()) return;
    tell(*verdict.message);
    // Each write runs the box's change handling, and so this check again; writing the text a box
    // already holds runs nothing, which ends the chain once both read 30 and 0.
    ui.degrees->setFieldText(fromUtf8(kStartDegrees));
    ui.minutes->setFieldText(fromUtf8(kStartMinutes));
    focusAfter(verdict, m_system);
}

void MainWindow::checkStepWidth(UnitSystem system)
{
    const Verdict verdict = CheckStepWidth(toUtf8(column(system).width->text()), system);
    if (verdict.passed()) return;
    tell(*verdict.message);
    focusAfter(verdict, system);
}

void MainWindow::focusAfter(const Verdict &verdict, UnitSystem system)
{
    switch (verdict.focus) {
    case FocusField::Unchanged:
        return;
    case FocusField::Degrees:
        // Through the minutes, so that the degrees box receives its focus handling (its whole
        // text selected) even when it held the focus before.
        form().setFocusTo(ui.minutes);
        form().setFocusTo(ui.degrees);
        return;
    case FocusField::Projection:
    case FocusField::StepWidth: {
        // The user can type the measurement again at once, unless the box shows the converted
        // twin, which cannot be edited: the user would be held in it for ever.
        TextBox *box = measurementBox(
            verdict.focus == FocusField::Projection ? Measurement::Projection : Measurement::Width,
            system);
        if (!box->isLocked()) form().setFocusTo(box);
        return;
    }
    }
}

void MainWindow::calculate()
{
    // A refused angle has been put back to 30 degrees 0 minutes when the check returns; the
    // calculation goes on with that.
    checkAngle();
    if (const Verdict presence = CheckPresence(sourceTexts()); !presence.passed()) {
        tell(*presence.message);
        focusAfter(presence, m_system);
        if (!presence.goOn) return;
    }
    // A warning only: the loads are computed with the width as typed.
    checkStepWidth(m_system);
    const LoadOutcome outcome = ComputeLoadTexts(sourceTexts(), m_system);
    if (!outcome.refusal.passed()) {
        tell(*outcome.refusal.message);
        focusAfter(outcome.refusal, m_system);
        return;
    }

    // Each pair's own system first, its twin converted from the text the first box kept.
    const Column &own = column(m_system);
    const Column &other = column(OtherSystem(m_system));
    const LoadTexts &t = outcome.texts;
    own.structural->setFieldText(fromUtf8(t.structuralOwn));
    other.structural->setFieldText(fromUtf8(t.structuralOther));
    own.machinery->setFieldText(fromUtf8(t.machineryOwn));
    other.machinery->setFieldText(fromUtf8(t.machineryOther));
    // The brake rated load with the escalator running is the machinery rated load as shown.
    own.brakeRunning->setFieldText(own.machinery->text());
    other.brakeRunning->setFieldText(other.machinery->text());
    own.brakeStatic->setFieldText(fromUtf8(t.brakeStaticOwn));
    other.brakeStatic->setFieldText(fromUtf8(t.brakeStaticOther));
    ui.cotangent->setFieldText(fromUtf8(t.cotangent));
}

void MainWindow::clearAnswers()
{
    for (const Column &c : m_columns) {
        for (TextBox *result : { c.structural, c.machinery, c.brakeStatic, c.brakeRunning })
            result->setFieldText(QString());
    }
    ui.cotangent->setFieldText(QString());
}

void MainWindow::clearFields()
{
    for (TextBox *box : { ui.projectionImperial, ui.projectionMetric, ui.riseImperial,
             ui.riseMetric, ui.widthImperial, ui.widthMetric, ui.degrees, ui.minutes })
        box->setFieldText(QString());
    clearAnswers();
    // In metric mode, blanking a metric box wrote the conversion of the empty text, 0, into its
    // imperial twin; blank those again.
    for (TextBox *box : { ui.projectionImperial, ui.riseImperial, ui.widthImperial })
        box->setFieldText(QString());
    ui.degrees->setFieldText(fromUtf8(kStartDegrees));
    form().setFocusTo(column(m_system).projection);
}

void MainWindow::switchTo(UnitSystem system)
{
    clearAnswers();
    m_system = system;
    // The source column is editable; the other shows the conversions.
    for (const Measurement m : { Measurement::Projection, Measurement::Rise, Measurement::Width }) {
        measurementBox(m, UnitSystem::Imperial)->setEditable(system == UnitSystem::Imperial);
        measurementBox(m, UnitSystem::Metric)->setEditable(system == UnitSystem::Metric);
    }
    // The other column is converted afresh from the source texts.
    for (const Measurement m : { Measurement::Projection, Measurement::Rise, Measurement::Width })
        measurementChanged(m, system);
    form().setFocusTo(column(system).projection);
}

} // namespace kestrune
