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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void describeRows();
    void wireBehaviour();
    void drawPicture();

    void solveRow(const TriangleRow &row);
    void clearAngles();
    void showAngles(double a, double b);

    std::array<TriangleRow, 9> m_rows {};
    std::array<TextBox *, 6> m_angleDisplay {}; // A, B and C, each in degrees and minutes
};

} // namespace kestrune
