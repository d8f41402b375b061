// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Marrowstep, the main window: the rated-load calculator.
//
// The user types the measurements of an escalator into the fields of the unit system in use
// (ImperialMode): each keystroke converts the field into its twin of the other system and blanks
// the results; every keystroke in the angle fields runs AngleCheck; leaving a width field runs its
// step-width check. Calculate runs AngleCheck, then ImperialCalc or MetricCalc, which write the
// cotangent and the four rated loads into their fields, each cut to the field's length, the twin
// of each load converted from the text its field kept. Every quantity lives only as field text.
//
// The members of this class are spread by responsibility:
//   mainwindow/marrowstep.cpp      controls, layout, menus, load, Clear, Exit
//   mainwindow/fieldbehaviour.cpp  focus selection, twin conversion, angle-field handlers
//   mainwindow/report.cpp          Print Data and Print Form
//   engine/checks.cpp              AngleCheck and the step-width checks
//   engine/calculation.cpp         Calculate, ImperialCalc, MetricCalc
//   engine/unitmode.cpp            the Imperial and Metric buttons

#include <QMainWindow>
#include <QPointer>

#include "triangle/frmtriangle.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace kestrune {

class Form;
class Services;
class TextBox;

class Marrowstep : public QMainWindow {
    Q_OBJECT
public:
    explicit Marrowstep(Services &services, QWidget *parent = nullptr);
    ~Marrowstep() override;

    struct Controls {
        TextBox *txtID, *txtProjImp, *txtProjMet, *txtRiseImp, *txtRiseMet, *txtWidthImp,
            *txtWidthMet, *txtDeg, *txtMin, *txtCotangent, *txtStructImp, *txtStructMet,
            *txtMachImp, *txtMachMet, *txtBrakeStopImp, *txtBrakeStopMet, *txtBrakeRunImp,
            *txtBrakeRunMet;
        QPushButton *cmdImperial, *cmdMetric, *cmdCalculate, *cmdClear, *cmdExit;
        QMenu *mnuPrint, *mnuHelp;
        QAction *mnuPrintData, *mnuPrintForm, *mnuRAT;
    };
    const Controls &controls() const { return ui; }
    Form &form() const { return *m_form; }
    bool imperialMode() const { return ImperialMode; }

    // The triangle window, while it is open.
    frmTriangle *triangleWindow() const { return m_triangle; }

    // Commands and handlers; other code of the window (and the tests) may call them directly.
    void Form_Load();
    void ClearAnswers();
    void cmdClear_Click();
    void cmdExit_Click();
    void cmdCalculate_Click();
    void cmdImperial_Click();
    void cmdMetric_Click();
    void mnuPrintData_Click();
    void mnuPrintForm_Click();
    void mnuRAT_Click();

    void TextSelected();
    void AngleCheck();
    void ImperialCalc();
    void MetricCalc();

    void txtProjImp_GotFocus();
    void txtProjMet_GotFocus();
    void txtRiseImp_GotFocus();
    void txtRiseMet_GotFocus();
    void txtWidthImp_GotFocus();
    void txtWidthMet_GotFocus();
    void txtDeg_GotFocus();
    void txtMin_GotFocus();
    void txtStructImp_GotFocus();
    void txtStructMet_GotFocus();
    void txtMachImp_GotFocus();
    void txtMachMet_GotFocus();
    void txtBrakeStopImp_GotFocus();
    void txtBrakeStopMet_GotFocus();
    void txtBrakeRunImp_GotFocus();
    void txtBrakeRunMet_GotFocus();

    void txtProjImp_Change();
    void txtRiseImp_Change();
    void txtWidthImp_Change();
    void txtProjMet_Change();
    void txtRiseMet_Change();
    void txtWidthMet_Change();
    void txtDeg_Change();
    void txtMin_Change();

    void txtDeg_LostFocus();
    void txtMin_LostFocus();
    void txtWidthImp_LostFocus();
    void txtWidthMet_LostFocus();

Q_SIGNALS:
    // The window was closed (by Exit, Esc or its close box).
    void closed();
    // The triangle window was opened from the menu.
    void triangleOpened(frmTriangle *window);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void createMenus();
    void describeControls();
    void connectHandlers();
    // Writes the conversion of `source` into its twin; a value the twin cannot show leaves it
    // empty and tells the user.
    void convertTwin(const TextBox *source, TextBox *twin, double factor, bool roundToHundredths,
        const QString &quantity);

    Services &m_services;
    Form *m_form = nullptr;
    Controls ui {};
    // True while the imperial fields are the source of the measurements.
    bool ImperialMode = true;
    bool m_centred = false;
    QPointer<frmTriangle> m_triangle;
};

} // namespace kestrune
