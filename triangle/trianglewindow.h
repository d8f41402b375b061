// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// frmTriangle, the right-angled triangle window: a reference card of the trigonometric functions
// and a solver with nine rows, opened beside the main window from its menu.
//
// A, B and C are the vertices (C the right angle), a, b and h the sides opposite them. The three
// side rows know two sides (a and b, a and h, b and h); the six angle rows know one acute angle in
// degrees and minutes and one side. Each row's button computes the row's result. An angle-row
// solve then copies its side and its result into a side row and runs that row's solve, so every
// successful solve ends with three sides and, in the angle display beside the side rows, the
// three angles in whole degrees and minutes. Every quantity lives only as field text: a change to
// an input field blanks its row's result and the angle display.
//
// The members of this class are spread by responsibility:
//   triangle/frmtriangle.cpp  controls, layout, picture, focus selection
//   triangle/fieldrules.cpp   change rules, clear routines, the angle display (Angle1)
//   triangle/solving.cpp      the nine solve commands

#include <QWidget>

#include <optional>

class QPushButton;

namespace kestrune {

class Form;
class Services;
class TextBox;

class frmTriangle : public QWidget {
    Q_OBJECT
public:
    explicit frmTriangle(Services &services, QWidget *parent = nullptr);
    ~frmTriangle() override;

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
    Form &form() const { return *m_form; }

    // Commands and handlers; other code of the window (and the tests) may call them directly.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();

    void TextSelected();
    void ClearAngles();
    void ClearSides();
    void Clear12();
    void Clear23();
    void Clear13();
    // Fills the angle display from the leg opposite A and the leg opposite B.
    void Angle1(double a, double b);

    void Text1_Change();
    void Text2_Change();
    void Text4_Change();
    void Text5_Change();
    void Text23_Change();
    void Text24_Change();
    void Text7_Change();
    void Text10_Change();
    void Text8_Change();
    void Text11_Change();
    void Text12_Change();
    void Text13_Change();
    void Text15_Change();
    void Text16_Change();
    void Text17_Change();
    void Text20_Change();
    void Text19_Change();
    void Text22_Change();
    void Text31_Change();
    void Text30_Change();
    void Text33_Change();
    void Text28_Change();
    void Text29_Change();
    void Text26_Change();

    void Text1_GotFocus();
    void Text2_GotFocus();
    void Text3_GotFocus();
    void Text4_GotFocus();
    void Text5_GotFocus();
    void Text6_GotFocus();
    void Text7_GotFocus();
    void Text8_GotFocus();
    void Text9_GotFocus();
    void Text10_GotFocus();
    void Text11_GotFocus();
    void Text12_GotFocus();
    void Text13_GotFocus();
    void Text14_GotFocus();
    void Text15_GotFocus();
    void Text16_GotFocus();
    void Text17_GotFocus();
    void Text19_GotFocus();
    void Text20_GotFocus();
    void Text21_GotFocus();
    void Text22_GotFocus();
    void Text23_GotFocus();
    void Text24_GotFocus();
    void Text25_GotFocus();
    void Text26_GotFocus();
    void Text27_GotFocus();
    void Text28_GotFocus();
    void Text29_GotFocus();
    void Text30_GotFocus();
    void Text31_GotFocus();
    void Text32_GotFocus();
    void Text33_GotFocus();

Q_SIGNALS:
    // The window was closed by the close box of its frame.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls();
    void connectHandlers();

    // Steps the solve commands share; see solving.cpp.
    std::optional<double> enteredAngle(const TextBox *degrees, const TextBox *minutes);
    bool writeSide(TextBox *field, double value);
    bool handOver(TextBox *to1, const TextBox *from1, TextBox *to2, const TextBox *from2);
    void refuse();
    void refuseTooLarge();

    Services &m_services;
    Form *m_form = nullptr;
    Controls ui {};
    bool m_centred = false;
};

} // namespace kestrune
