// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TriangleWindow, the right-angled triangle window: a reference card of the trigonometric
// functions and a view over the core's triangle solver (core/triangle.h), opened beside the main
// window from its menu. Nine rows, each a TriangleRow: the boxes of its known quantities, its solve
// button and its result box. A change to any input box blanks its row's result and the angle
// display. A row's button plays the core's command for the row (SolveTriangle) on the window's
// boxes (triangle/solving.cpp), each write running the box's change handling at once.

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

    TextBox *&box(TriangleQuantity quantity) { return this->*member(quantity); }
    TextBox *box(TriangleQuantity quantity) const { return this->*member(quantity); }
    TextBox *result() const { return box(rule->found); }
    // The boxes the user types into, left to right.
    std::vector<TextBox *> inputs() const;

private:
    static TextBox *TriangleRow::*member(TriangleQuantity quantity);
};

class TriangleWindow : public FormWindow, private TriangleBoxes {
    Q_OBJECT
public:
    explicit TriangleWindow(Services &services);
    ~TriangleWindow() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void wireBehaviour();
    void drawPicture();

    TextBox *box(const TriangleRowRule &row, TriangleQuantity quantity) const;
    std::string text(const TriangleRowRule &row, TriangleQuantity quantity) const override;
    std::string kept(const TriangleRowRule &row, TriangleQuantity quantity,
        std::string_view text) const override;
    void write(
        const TriangleRowRule &row, TriangleQuantity quantity, std::string_view text) override;
    void showAngle(std::size_t index, std::string_view text) override;
    void tell(const TriangleNotice &notice) override;

    std::array<TriangleRow, 9> m_rows {};
    std::array<TextBox *, 6> m_angleDisplay {}; // A, B and C, each in degrees and minutes
};

} // namespace kestrune
