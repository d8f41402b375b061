// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textbox.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPalette>

#include <algorithm>

namespace kestrune {

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &TextBox::runChangeHandling);
}

void TextBox::runChangeHandling()
{
    ++s_changeDepth;
    s_maxChangeDepth = std::max(s_maxChangeDepth, s_changeDepth);
    Q_EMIT changed();
    --s_changeDepth;
}

void TextBox::setFieldText(const QString &text)
{
    const QString kept = maxLength() > 0 ? text.left(maxLength()) : text;
    if (kept == this->text()) return;
    setText(kept);
}

void TextBox::setTabStop(bool tabStop)
{
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TextBox::setBackColor(unsigned bgr)
{
    m_backColor = bgr & 0xFFFFFF;
    const QColor colour(m_backColor & 0xFF, (m_backColor >> 8) & 0xFF, (m_backColor >> 16) & 0xFF);
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::Base, colour);
    pal.setColor(QPalette::Inactive, QPalette::Base, colour);
    pal.setColor(QPalette::Disabled, QPalette::Base, colour);
    setPalette(pal);
}

void TextBox::setEditable(bool editable)
{
    setTabStop(editable);
    setLocked(!editable);
    setBackColor(editable ? kWhite : kYellow);
}

void TextBox::selectWhole()
{
    setSelection(0, static_cast<int>(text().size()));
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    // The form's focus handling has already run when the box sees its focus event.
    m_reselectOnRelease = event->reason() == Qt::MouseFocusReason && !text().isEmpty()
        && selectedText().size() == text().size();
    QLineEdit::focusInEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (m_reselectOnRelease) {
        m_reselectOnRelease = false;
        if (!hasSelectedText()) selectWhole();
    }
}

} // namespace kestrune
