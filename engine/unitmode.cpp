// SPDX-License-Identifier: GPL-3.0-or-later
// The Imperial and Metric buttons: which column of measurements the user types into.

#include "mainwindow/marrowstep.h"

#include "platform/form.h"
#include "platform/textbox.h"

namespace kestrune {

namespace {

// The source column is editable, white and in the Tab order; the other is a locked, yellow
// display that Tab skips.
void makeSource(TextBox *box)
{
    box->setTabStop(true);
    box->setLocked(false);
    box->setBackColor(kWhite);
}

void makeDisplay(TextBox *box)
{
    box->setTabStop(false);
    box->setLocked(true);
    box->setBackColor(kYellow);
}

} // namespace

void Marrowstep::cmdImperial_Click()
{
    ClearAnswers();
    ImperialMode = true;
    makeSource(ui.txtProjImp);
    makeDisplay(ui.txtProjMet);
    makeSource(ui.txtRiseImp);
    makeDisplay(ui.txtRiseMet);
    makeSource(ui.txtWidthImp);
    makeDisplay(ui.txtWidthMet);
    // Refresh the metric column from the imperial texts.
    txtProjImp_Change();
    txtRiseImp_Change();
    txtWidthImp_Change();
    m_form->setFocusTo(ui.txtProjImp);
}

void Marrowstep::cmdMetric_Click()
{
    ClearAnswers();
    ImperialMode = false;
    makeDisplay(ui.txtProjImp);
    makeSource(ui.txtProjMet);
    makeDisplay(ui.txtRiseImp);
    makeSource(ui.txtRiseMet);
    makeDisplay(ui.txtWidthImp);
    makeSource(ui.txtWidthMet);
    txtProjMet_Change();
    txtRiseMet_Change();
    txtWidthMet_Change();
    m_form->setFocusTo(ui.txtProjMet);
}

} // namespace kestrune
