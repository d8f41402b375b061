// SPDX-License-Identifier: GPL-3.0-or-later
// The triangle window's boxes as the core's solve commands read and write them: a write sets the
// box's text as a program step does, so the box keeps what it holds of it (its first characters,
// as the user counts them) and its change handling runs before the command's next step.

#include "triangle/trianglewindow.h"

#include "platform/characters.h"
#include "platform/qttext.h"
#include "platform/textbox.h"

namespace kestrune {

TextBox *TriangleWindow::box(const TriangleRowRule &row, TriangleQuantity quantity) const
{
    return m_rows.at(static_cast<std::size_t>(row.number - 1)).box(quantity);
}

std::string TriangleWindow::text(const TriangleRowRule &row, TriangleQuantity quantity) const
{
    return toUtf8(box(row, quantity)->text());
}

std::string TriangleWindow::kept(
    const TriangleRowRule &row, TriangleQuantity quantity, std::string_view text) const
{
    return toUtf8(firstCharacters(fromUtf8(text), box(row, quantity)->maxLength()));
}

void TriangleWindow::write(
    const TriangleRowRule &row, TriangleQuantity quantity, std::string_view text)
{
    box(row, quantity)->setFieldText(fromUtf8(text));
}

void TriangleWindow::showAngle(std::size_t index, std::string_view text)
{
    m_angleDisplay.at(index)->setFieldText(fromUtf8(text));
}

void TriangleWindow::tell(const TriangleNotice &notice)
{
    FormWindow::tell(TriangleMessage(notice.fault));
}

} // namespace kestrune
