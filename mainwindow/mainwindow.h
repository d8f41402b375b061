// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// MainWindow, the rated-load calculator: a view over the calculation core (core/).
//
// The user types the measurements of an escalator into the boxes of the unit system in use: each
// keystroke shows the measurement's twin in the other system and blanks the results; each
// keystroke in an angle box checks the angle; leaving a width box checks the step width.
// Calculate checks the angle, asks the core whether all four measurements are present, checks the
// step width, and writes the loads the core computes. Every number, check and message comes from
// the core; the window keeps the boxes and the order in which it reads and writes them, which
// decides what the change handling of each box sees.
//
//   mainwindow/mainwindow.cpp  the controls from the layout tables, the menus, the wiring
//   mainwindow/fields.cpp      the boxes' rules, the checks, Calculate, Clear, the unit buttons
//   mainwindow/printing.cpp    Print Data, Print Form and Copy Results

#include "core/checks.h"
#include "core/conversions.h"
#include "core/escalator.h"
#include "core/report.h"
#include "platform/formwindow.h"
#include "triangle/trianglewindow.h"

#include <QPointer>

#include <array>

class QAction;
class QMenu;
class QPushButton;

namespace kestrune {

class MainWindow : public FormWindow {
    Q_OBJECT
public:
    explicit MainWindow(Services &services);
    ~MainWindow() override;

    // The controls by what they are; each keeps its objectName (txtProjImp, cmdCalculate, mnuRAT),
    // the name the driver, the golden transcripts and screen readers know it by.
    struct Controls {
        TextBox *identification, *projectionImperial, *projectionMetric, *riseImperial, *riseMetric,
            *widthImperial, *widthMetric, *degrees, *minutes, *cotangent, *structuralImperial,
            *structuralMetric, *machineryImperial, *machineryMetric, *brakeStaticImperial,
            *brakeStaticMetric, *brakeRunningImperial, *brakeRunningMetric;
        QPushButton *imperialButton, *metricButton, *calculateButton, *clearButton, *exitButton;
        QMenu *printMenu, *helpMenu;
        QAction *printDataItem, *printFormItem, *copyResultsItem, *triangleItem;
    };
    const Controls &controls() const { return ui; }
    bool imperialMode() const { return m_system == UnitSystem::Imperial; }

    // The triangle window, while it is open.
    TriangleWindow *triangleWindow() const { return m_triangle; }

    // The commands, as their buttons and menu items run them.
    void calculate();
    void clearFields();
    void switchToImperial() { switchTo(UnitSystem::Imperial); }
    void switchToMetric() { switchTo(UnitSystem::Metric); }
    void printData();
    void printForm();
    // The whole calculation on the clipboard, a table for spreadsheets and e-mail.
    void copyResults();
    void openTriangle();

Q_SIGNALS:
    void triangleOpened(TriangleWindow *window);

private:
    // One unit system's boxes: its three measurements and its four loads.
    struct Column {
        TextBox *projection, *rise, *width;
        TextBox *structural, *machinery, *brakeStatic, *brakeRunning;
    };

    void createControls();
    void createMenus();
    void wireBehaviour();

    const Column &column(UnitSystem system) const
    {
        return m_columns[static_cast<std::size_t>(system)];
    }
    TextBox *measurementBox(Measurement measurement, UnitSystem system) const;
    LoadInputTexts sourceTexts() const;

    void measurementChanged(Measurement measurement, UnitSystem system);
    // Blanks the nine results, as every change of a measurement or of the angle does.
    void clearAnswers();
    void checkAngle();
    void checkStepWidth(UnitSystem system);
    // Gives the focus to the box a check's verdict names, once its message has been closed; the
    // step width is that of `system`.
    void focusAfter(const Verdict &verdict, UnitSystem system);
    void switchTo(UnitSystem system);
    void askIdentification();
    // Every box as it stands, as the report and the copied table take them.
    ReportFields boxTexts() const;

    Controls ui {};
    std::array<Column, 2> m_columns {}; // by UnitSystem
    // The unit system the user types into; the other column shows the conversions.
    UnitSystem m_system = UnitSystem::Imperial;
    QPointer<TriangleWindow> m_triangle;
};

} // namespace kestrune
