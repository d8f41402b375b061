// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// MainWindow, the rated-load calculator: a view over the calculation core (core/).
//
// Every command of the boxes (the twin conversions, the angle and step-width checks, Calculate,
// Clear) is the core's (core/calculation.h), played on the window's text boxes: the window is the
// core's EscalatorBoxes, each box's change signal runs the core's change handling, and the
// messages go through the window's services.
//
//   mainwindow/mainwindow.cpp  the controls from the layout tables, the menus, the wiring, the
//   boxes mainwindow/printing.cpp    Print Data, Print Form and Copy Results

#include "core/calculation.h"
#include "core/report.h"
#include "platform/characters.h"
#include "platform/form.h"
#include "platform/formwindow.h"
#include "platform/qttext.h"
#include "platform/textbox.h"
#include "triangle/trianglewindow.h"

#include <QPointer>

#include <array>

class QAction;
class QMenu;
class QPushButton;

namespace kestrune {

class MainWindow : public FormWindow, private EscalatorBoxes {
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
    void calculate() { Calculate(*this); }
    void clearFields() { Clear(*this); }
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
    Column column(UnitSystem s) const
    {
        auto at = [&](Quantity q) { return m_boxes[static_cast<std::size_t>(BoxOf(q, s))]; };
        return { at(Quantity::Projection), at(Quantity::Rise), at(Quantity::Width),
            at(Quantity::Structural), at(Quantity::Machinery), at(Quantity::BrakeStatic),
            at(Quantity::BrakeRunning) };
    }

    void createControls();
    void createMenus();
    void wireBehaviour();
    void switchTo(UnitSystem system);
    void askIdentification();
    // Every box as it stands, as the report and the copied table take them.
    ReportFields boxTexts() const;

    // The escalator's boxes, as the core's commands read and write them.
    TextBox *box(Box b) const { return m_boxes[static_cast<std::size_t>(b)]; }
    using FormWindow::tell;
    UnitSystem source() const override { return m_system; }
    std::string text(Box b) const override { return toUtf8(box(b)->text()); }
    std::string cut(std::string_view text, std::size_t length) const override
    {
        return toUtf8(firstCharacters(fromUtf8(text), static_cast<int>(length)));
    }
    void write(Box b, std::string_view text) override { box(b)->setFieldText(fromUtf8(text)); }
    void tell(const Verdict &verdict) override { tell(*verdict.message); }
    void focus(Box b) override { form().setFocusTo(box(b)); }

    Controls ui {};
    std::array<TextBox *, kBoxCount> m_boxes {}; // by Box
    // The unit system the user types into; the other column shows the conversions.
    UnitSystem m_system = UnitSystem::Imperial;
    QPointer<TriangleWindow> m_triangle;
};

} // namespace kestrune
