// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's fields while the user types and moves the focus: whole-text selection on
// focus, the twin conversions between the unit systems, and the angle fields' checks.

#include "mainwindow/marrowstep.h"

#include "platform/form.h"
#include "platform/textbox.h"

namespace kestrune {

void Marrowstep::TextSelected()
{
    if (TextBox *box = m_form->activeTextBox())
        box->selectWhole();
}

void Marrowstep::txtProjImp_GotFocus() { TextSelected(); }
void Marrowstep::txtProjMet_GotFocus() { TextSelected(); }
void Marrowstep::txtRiseImp_GotFocus() { TextSelected(); }
void Marrowstep::txtRiseMet_GotFocus() { TextSelected(); }
void Marrowstep::txtWidthImp_GotFocus() { TextSelected(); }
void Marrowstep::txtWidthMet_GotFocus() { TextSelected(); }
void Marrowstep::txtDeg_GotFocus() { TextSelected(); }
void Marrowstep::txtMin_GotFocus() { TextSelected(); }
void Marrowstep::txtStructImp_GotFocus() { TextSelected(); }
void Marrowstep::txtStructMet_GotFocus() { TextSelected(); }
void Marrowstep::txtMachImp_GotFocus() { TextSelected(); }
void Marrowstep::txtMachMet_GotFocus() { TextSelected(); }
void Marrowstep::txtBrakeStopImp_GotFocus() { TextSelected(); }
void Marrowstep::txtBrakeStopMet_GotFocus() { TextSelected(); }
void Marrowstep::txtBrakeRunImp_GotFocus() { TextSelected(); }
void Marrowstep::txtBrakeRunMet_GotFocus() { TextSelected(); }

void Marrowstep::txtProjImp_Change() { }
void Marrowstep::txtRiseImp_Change() { }
void Marrowstep::txtWidthImp_Change() { }
void Marrowstep::txtProjMet_Change() { }
void Marrowstep::txtRiseMet_Change() { }
void Marrowstep::txtWidthMet_Change() { }

void Marrowstep::txtDeg_Change()
{
    ClearAnswers();
}

void Marrowstep::txtMin_Change()
{
    ClearAnswers();
}

void Marrowstep::txtDeg_LostFocus() { }
void Marrowstep::txtMin_LostFocus() { }

} // namespace kestrune
