// SPDX-License-Identifier: GPL-3.0-or-later
// The solve commands of the triangle window. A side row finds the third side from two and shows
// the angles. An angle row finds a side from an angle and a side, copies its two sides into the
// side row that knows them and solves that row, so the third side and the angles come from the
// texts as shown, each side found rounded to three decimals.

#include "triangle/trianglewindow.h"

#include "platform/qttext.h"
#include "platform/textbox.h"

namespace kestrune {

void TriangleWindow::solveRow(const TriangleRow &row)
{
    // A side row starts by blanking the other two side rows, an angle row all three. Blanking an
    // input that held text runs its change rule, which blanks the angle display too.
    for (const TriangleRow &sideRow : m_rows) {
        if (sideRow.rule->angleRow || &sideRow == &row) continue;
        for (TextBox *input : sideRow.inputs())
            input->setFieldText(QString());
        sideRow.result()->setFieldText(QString());
    }

    const TriangleRowRule &rule = *row.rule;
    const RowSolution found = rule.angleRow
        ? SolveAngleRow(rule, toUtf8(row.degrees->text()), toUtf8(row.minutes->text()),
            toUtf8(row.side(rule.known[0])->text()))
        : SolveSideRow(
            rule, toUtf8(row.side(rule.known[0])->text()), toUtf8(row.side(rule.known[1])->text()));
    if (found.problem) {
        tell(*found.problem);
        return;
    }
    row.result()->setFieldText(fromUtf8(found.text));

    if (!rule.angleRow) {
        // The legs as the boxes now show them, a leg found rounded to three decimals.
        showAngles(ParseNumber(row.sideA->text()), ParseNumber(row.sideB->text()));
        return;
    }
    // The hand-over: the texts are copied as they stand, in the order of the side row's boxes.
    const TriangleRow &target = m_rows.at(static_cast<std::size_t>(rule.handsOverTo - 1));
    const TextBox *first = row.side(target.rule->known[0]);
    const TextBox *second = row.side(target.rule->known[1]);
    if (const auto tooLong = CheckHandOver(toUtf8(first->text()), toUtf8(second->text()))) {
        // Nothing is copied: the side row stays blank rather than show a number that is not the
        // side, and this row's result stays on show in full.
        tell(*tooLong);
        return;
    }
    target.side(target.rule->known[0])->setFieldText(first->text());
    target.side(target.rule->known[1])->setFieldText(second->text());
    solveRow(target);
}

void TriangleWindow::clearAngles()
{
    for (TextBox *shown : m_angleDisplay)
        shown->setFieldText(QString());
}

void TriangleWindow::showAngles(double a, double b)
{
    const AngleDisplay display = ShowAngles(a, b);
    if (display.problem) {
        // The display stays as the solve's clearing left it; the row's result stays on show.
        tell(*display.problem);
        return;
    }
    for (std::size_t i = 0; i < m_angleDisplay.size(); ++i)
        m_angleDisplay[i]->setFieldText(fromUtf8(display.texts[i]));
}

} // namespace kestrune
