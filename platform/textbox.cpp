// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textbox.h"

#include "platform/characters.h"
#include "platform/clicks.h"

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

#include <algorithm>

namespace kestrune {

namespace {

// A key that would type its text into a line edit: printable text, and no Ctrl held except as
// part of AltGr (which Windows reports as Ctrl+Alt).
bool typesText(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty()) return false;
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))
        return false;
    const QChar first = text.at(0);
    return first.isPrint() || first.category() == QChar::Other_Format
        || first.category() == QChar::Other_PrivateUse || first.isHighSurrogate();
}

// The keypad's decimal key, when it types (Num Lock on): with a keypad symbol (the separator of a
// German keyboard, the decimal point), or with a plain comma or point as some layouts give it,
// which X11 tells apart by the key's number alone.
bool isKeypadDecimalKey(const QKeyEvent *event)
{
    if (event->text().isEmpty()) return false;
    if (event->modifiers() & Qt::KeypadModifier)
        return event->key() == Qt::Key_Comma || event->key() == Qt::Key_Period;
    constexpr quint32 kX11KeypadDecimal = 91;
    return event->nativeScanCode() == kX11KeypadDecimal
        && QGuiApplication::platformName() == QLatin1String("xcb");
}

// The selection colours of a box with a fixed background: the usual blue, white text.
const QColor kSelectionBlue(48, 140, 198);

// Alt with a letter or digit key is an access key. Ctrl+Alt is AltGr on Windows keyboards and
// types; on macOS Option types the special characters of its keyboard.
bool isAccessKeyPress(const QKeyEvent *event)
{
#if defined(Q_OS_MACOS)
    Q_UNUSED(event);
    return false;
#else
    const Qt::KeyboardModifiers mods = event->modifiers();
    return (mods & Qt::AltModifier) && !(mods & Qt::ControlModifier) && !(mods & Qt::KeypadModifier)
        && !event->text().isEmpty();
#endif
}

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

int TextBox::roomForInsertion(const QString &text) const
{
    const QString current = this->text();
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    const int end = hasSelectedText() ? selectionEnd() : cursorPosition();
    const QString before = current.left(start);
    const QString after = current.mid(end);
    const int available = characterCount(text);
    if (m_maxLength >= kNoLengthLimit) return available;
    // Characters may join across the seams (a combining accent after a letter), so the count
    // is taken on the text that would result.
    int fits = 0;
    for (int n = 1; n <= available; ++n) {
        if (characterCount(before + firstCharacters(text, n) + after) > m_maxLength) break;
        fits = n;
    }
    return fits;
}

QString TextBox::fittingLine(const QString &text) const
{
    QString line = singleLineText(text);
    // Of a long text no more than one character past the limit ever fits (what joins the
    // character before it takes no room of its own): it is cut there before the room is counted.
    if (m_maxLength < kNoLengthLimit) line = firstCharacters(line, m_maxLength + 1);
    return firstCharacters(line, roomForInsertion(line));
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
    if (m_holdsNumbers && isKeypadDecimalKey(event) && event->text() != QStringLiteral(".")) {
        QKeyEvent point(event->type(), Qt::Key_Period, event->modifiers(), QStringLiteral("."),
            event->isAutoRepeat(), static_cast<ushort>(event->count()));
        keyPressEvent(&point);
        event->setAccepted(point.isAccepted());
        return;
    }
    if (isAccessKeyPress(event)) {
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
    if (!isReadOnly() && typesText(event)) {
        const int room = roomForInsertion(event->text());
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
    QMenu *menu = createStandardContextMenu();
    // The menu's Paste goes the way every paste goes. The toolkit's item is known by what it does,
    // running the line edit's own paste (connected by its signature in this toolkit, by its member
    // function in newer ones), and runs the box's paste instead.
    for (QAction *item : menu->actions()) {
        const bool runsLineEditPaste
            = disconnect(item, &QAction::triggered, this, &QLineEdit::paste)
            || disconnect(item, SIGNAL(triggered()), this, SLOT(paste()));
        if (!runsLineEditPaste) continue;
        item->setObjectName(QStringLiteral("edit-paste"));
        connect(item, &QAction::triggered, this, [this] { pasteFrom(); });
    }
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
