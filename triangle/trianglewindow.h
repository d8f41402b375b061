// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TriangleWindow, the right-angled triangle window: a reference card of the trigonometric
// functions and a view over the core's triangle solver (core/triangle.h), opened beside the main
// window from its menu.
//
// Nine rows, each a TriangleRow: the boxes of its known quantities, its solve button and its
// result box. A change to any input box blanks its row's result and the angle display. A row's
// button asks the core for the side it finds and writes it; an angle row then copies its two
// sides into the side row that knows them and solves that row, and a side row ends by showing
// the angles A, B and C. Every quantity lives only as box text: the window keeps the order of the
// reads and writes, whose change handling the next step relies on.
//
//   triangle/trianglewindow.cpp  the controls from the layout tables, the picture, the wiring
//   triangle/solving.cpp         the solve commands, the clearing and the angle display

#include "core/triangle.h"
#include "platform/formwindow.h"

#include <array>
#include <vector>

class QPushButton;

namespace kestrune {

// One solver row: the boxes of its quantities (those it does not hold are null) and its button.
struct TriangleRow {
    const TriangleRowRule *rule = nullptr;
    TextBox *degrees = nullptr, *minutes = nullptr; // angle rows
    TextBox *sideA = nullptr, *sideB = nullptr, *hypotenuse = nullptr;
    QPushButton *solve = nullptr;

    TextBox *side(Side which) const;
    TextBox *result() const { return side(rule->found); }
    // The boxes the user types into, left to right.
    std::vector<TextBox *> inputs() const;
};

class TriangleWindow : public FormWindow {
    Q_OBJECT
public:
    explicit TriangleWindow(Services &services);
    ~TriangleWindow() override;

    // Each control under its name, the name the driver, the tests and screen readers know it by.
    struct Controls {
        TextBox *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9, *Text10,
            *Text11, *Text12, *Text13, *Text14, *Text15, *Text16, *Text17, *Text18, *Text19,
            *Text20, *Text21, *Text22, *Text23, *Text24, *Text25, *Text26, *Text27, *Text28,
            *Text29, *Text30, *Text31, *Text32, *Text33, *Text34, *Text35, *Text36, *Text37,
            *Text38, *Text39;
        QPushButton *Command1, *Command2, *Command3, *Command4, *Command5, *Command6, *Command7,
            *Command8, *Command9;
    };
    const Controls &controls() const { return ui; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createRows();
    void wireBehaviour();
    void drawPicture();

    void solveRow(const TriangleRow &row);
    void clearAngles();
    void showAngles(double a, double b);

    Controls ui {};
    std::array<TriangleRow, 9> m_rows {};
    std::array<TextBox *, 6> m_angleDisplay {}; // A, B and C, each in degrees and minutes
};

} // namespace kestrune
