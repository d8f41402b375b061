// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textbox.h"

#include "platform/characters.h"
#include "platform/clicks.h"
#include "platform/typing.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QStyleHints>

#include <algorithm>

namespace kestrune {

namespace {

// The selection colours of a box with a fixed background: the usual blue, white text.
const QColor kSelectionBlue(48, 140, 198);

} // namespace

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
    showFromStartUnlessFocused();
}

void TextBox::setFieldText(const QString &text)
{
    const QString kept = firstCharacters(text, m_maxLength);
    if (kept == this->text()) return;
    setText(kept);
}

void TextBox::setMaxLength(int characters)
{
    m_maxLength = characters > 0 ? std::min(characters, kNoLengthLimit) : kNoLengthLimit;
    setFieldText(text());
}

void TextBox::setTabStop(bool tabStop)
{
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TextBox::setBackColor(unsigned bgr)
{
    m_backColor = bgr & 0xFFFFFF;
    const QColor colour(m_backColor & 0xFF, (m_backColor >> 8) & 0xFF, (m_backColor >> 16) & 0xFF);
    // The box fixes its background, so it fixes the colours drawn on it too: black text and the
    // usual blue selection with white text, whatever the desktop's colour scheme.
    QPalette pal = palette();
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive }) {
        pal.setColor(group, QPalette::Base, colour);
        pal.setColor(group, QPalette::Text, Qt::black);
        pal.setColor(group, QPalette::Highlight, kSelectionBlue);
        pal.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    pal.setColor(QPalette::Disabled, QPalette::Base, colour);
    pal.setColor(QPalette::Disabled, QPalette::Text, Qt::darkGray);
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

void TextBox::showFromStartUnlessFocused()
{
    // A line edit shows the part of its text around the caret. A box the user is not in shows
    // its beginning instead, so that a long number is never read without its leading digits;
    // the caret comes back when the box takes the focus.
    if (hasFocus() || window()->focusWidget() == this) return;
    if (cursorPosition() == 0 || hasSelectedText()) return;
    m_caretBeforeShowing = cursorPosition();
    setCursorPosition(0);
}

void TextBox::focusInEvent(QFocusEvent *event)
{
    if (m_caretBeforeShowing >= 0) {
        // A click places the caret itself; any other way in finds it where it was.
        if (event->reason() != Qt::MouseFocusReason && !hasSelectedText())
            setCursorPosition(std::min(m_caretBeforeShowing, static_cast<int>(text().size())));
        m_caretBeforeShowing = -1;
    }
    // The form's focus handling has already run when the box sees its focus event.
    m_reselectOnRelease = event->reason() == Qt::MouseFocusReason && !text().isEmpty()
        && selectedText().size() == text().size();
    QLineEdit::focusInEvent(event);
}

void TextBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    showFromStartUnlessFocused();
}

Insertion TextBox::insertionPlace() const
{
    const int caret = cursorPosition();
    return { text(), hasSelectedText() ? selectionStart() : caret,
        hasSelectedText() ? selectionEnd() : caret, m_maxLength };
}

QString TextBox::fittingLine(const QString &text) const
{
    return FittingLine(insertionPlace(), text, kNoLengthLimit);
}

void TextBox::insertAsOneChange(const QString &text)
{
    if (isReadOnly()) return;
    const QString line = fittingLine(text);
    if (line.isEmpty() && !hasSelectedText()) return;
    // One insertion replacing the selection: the change handling runs once.
    insert(line);
}

void TextBox::pasteFrom(QClipboard::Mode mode)
{
    if (isReadOnly()) return;
    insertAsOneChange(QGuiApplication::clipboard()->text(mode));
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    // The keypad's decimal key types the layout's decimal separator, a comma on many keyboards;
    // numbers here are written with a point.
    if (m_holdsNumbers && IsKeypadDecimalKey(event) && event->text() != QStringLiteral(".")) {
        QKeyEvent point(event->type(), Qt::Key_Period, event->modifiers(), QStringLiteral("."),
            event->isAutoRepeat(), static_cast<ushort>(event->count()));
        keyPressEvent(&point);
        event->setAccepted(point.isAccepted());
        return;
    }
    if (IsAccessKeyPress(event)) {
        // No access key of the window took it: an Alt+letter types nothing.
        event->ignore();
        return;
    }
    // Redo is Ctrl+Y on some desktops and Ctrl+Shift+Z on others; both redo everywhere.
    const QKeyCombination combination = event->keyCombination();
    if (combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)
        || combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)) {
        if (!isReadOnly()) redo();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteFrom(QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (!isReadOnly() && TypesText(event)) {
        const int room = RoomFor(insertionPlace(), event->text(), kNoLengthLimit);
        if (room < characterCount(event->text())) {
            // The box is full: the keystroke is refused (or, for a key that types several
            // characters, cut to what fits).
            if (room > 0) insert(firstCharacters(event->text(), room));
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::inputMethodEvent(QInputMethodEvent *event)
{
    // A character composed by an input method (a dead key, a compose sequence) is typed like a
    // key and must fit the box as a key must.
    const QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    const QString fitting = fittingLine(commit);
    if (fitting == commit) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fitted(event->preeditString(), event->attributes());
    fitted.setCommitString(fitting, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&fitted);
}

void TextBox::mousePressEvent(QMouseEvent *event)
{
    QPointer<TextBox> alive = this;
    QLineEdit::mousePressEvent(event);
    if (alive) finishClickIfReleaseLost(this, event);
}

void TextBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()
        && !isReadOnly()) {
        // X11's paste of the selected text, at the place the middle button pressed.
        deselect();
        pasteFrom(QClipboard::Selection);
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    if (m_reselectOnRelease) {
        m_reselectOnRelease = false;
        if (!hasSelectedText()) selectWhole();
    }
}

void TextBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A line edit selects the word under the pointer, which in a number stops at the point
    // (14549 of 14549.2): a number is taken whole.
    if (!m_holdsNumbers || event->button() != Qt::LeftButton) {
        QLineEdit::mouseDoubleClickEvent(event);
        return;
    }
    selectWhole();
    event->accept();
}

void TextBox::contextMenuEvent(QContextMenuEvent *event)
{
    // The line edit's menu, in the toolkit's words, made here so that its Paste goes the way every
    // paste goes.
    auto *menu = new QMenu(this);
    const auto item
        = [this, menu](const char *caption, QKeySequence::StandardKey key, bool enabled, auto run) {
              QString text = QLineEdit::tr(caption);
              if (key != QKeySequence::UnknownKey
                  && QGuiApplication::styleHints()->showShortcutsInContextMenus()
                  && !QCoreApplication::testAttribute(Qt::AA_DontShowShortcutsInContextMenus))
                  text += QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText);
              QAction *action = menu->addAction(text, this, run);
              action->setEnabled(enabled);
              return action;
          };
    const bool editable = !isReadOnly();
    if (editable) {
        item("&Undo", QKeySequence::Undo, isUndoAvailable(), &QLineEdit::undo);
        item("&Redo", QKeySequence::Redo, isRedoAvailable(), &QLineEdit::redo);
        menu->addSeparator();
        item("Cu&t", QKeySequence::Cut, hasSelectedText(), &QLineEdit::cut);
    }
    item("&Copy", QKeySequence::Copy, hasSelectedText(), &QLineEdit::copy);
    if (editable) {
        item("&Paste", QKeySequence::Paste, !QGuiApplication::clipboard()->text().isEmpty(),
            [this] { pasteFrom(); })
            ->setObjectName(QStringLiteral("edit-paste"));
        item("Delete", QKeySequence::UnknownKey, hasSelectedText(), &QLineEdit::del);
    }
    menu->addSeparator();
    item("Select All", QKeySequence::SelectAll, !text().isEmpty() && selectedText() != text(),
        &QLineEdit::selectAll);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TextBox::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    if (event->source() == this || isReadOnly() || !data || !data->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    // Text dragged in from elsewhere is taken as a paste is, where it is dropped.
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    QMimeData fitted;
    fitted.setText(fittingLine(data->text()));
    QDropEvent drop(event->position(), event->possibleActions(), &fitted, event->buttons(),
        event->modifiers(), event->type());
    QLineEdit::dropEvent(&drop);
    event->setDropAction(drop.dropAction());
    event->setAccepted(drop.isAccepted());
}

} // namespace kestrune
