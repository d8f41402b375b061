// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A single-line text box with the behaviour Kestrune's windows are built on:
// - a text set by the program is cut to the maximum length without a message, and setting the
//   text the box already holds changes nothing at all (no change handling, selection kept);
// - the maximum length counts characters as the user sees them (an accented letter made of two
//   code points, an emoji, a flag are one character each), and no cut ever leaves half of one;
// - `changed` is emitted synchronously, nested inside the step that changed the text, for every
//   accepted keystroke and for every program change;
// - a paste (Ctrl+V, Shift+Insert, the context menu, the middle mouse button of X11) keeps the
//   first line of the pasted text, each tab as a blank and no other control character, then the
//   length limit, and is one change, like one keystroke; a locked box refuses it;
// - an Alt+letter types nothing: it is a window's access key or nothing at all;
// - a box that does not hold its window's focus shows its text from the first character;
// - a click whose button release was taken by a message box (shown by the focus change the press
//   caused) is finished once the box is closed, as if the button had been released there;
// - Locked refuses editing but still lets the user focus, select and copy;
// - TabStop off keeps the box out of the Tab order but lets a click focus it;
// - BackColor in the 0x00BBGGRR form the windows' designs use. A box whose background is set
//   also has its text black and the usual blue selection, so that it stays readable under any
//   desktop colour scheme (a dark one would otherwise draw white text on the white box);
// - a box for numbers (every box but a free-text one) takes the keypad's decimal key as a point
//   in every keyboard layout (a German keyboard's keypad types a comma), and a double-click in it
//   selects the whole number, not the digits on one side of the point.

#include "platform/typing.h"

#include <QClipboard>
#include <QLineEdit>

namespace kestrune {

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    // Sets the text as a program step does; see the class comment.
    void setFieldText(const QString &text);

    // The length of a box without a limit of its own, the most a line edit holds.
    static constexpr int kNoLengthLimit = 32767;

    // The most characters the box holds (0 or less: kNoLengthLimit). These stand in for
    // QLineEdit's, which count UTF-16 code units and would cut a character in two.
    int maxLength() const { return m_maxLength; }
    void setMaxLength(int characters);

    bool isLocked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }

    bool tabStop() const { return (focusPolicy() & Qt::TabFocus) != 0; }
    void setTabStop(bool tabStop);

    unsigned backColor() const { return m_backColor; }
    void setBackColor(unsigned bgr);

    // A box the user may edit is white and in the Tab order; one the user may not edit is a
    // locked, yellow display that Tab skips. Set in the order TabStop, Locked, BackColor.
    void setEditable(bool editable);

    // Whether the box holds numbers (the default) or free text; see the class comment.
    bool holdsNumbers() const { return m_holdsNumbers; }
    void setHoldsNumbers(bool numbers) { m_holdsNumbers = numbers; }

    // Selects the whole text, as a box that selects its text on gaining the focus does.
    void selectWhole();

    // Pastes the text of the clipboard (or of X11's selection), as described above.
    void pasteFrom(QClipboard::Mode mode = QClipboard::Clipboard);

    // How deeply change handling has nested (a handler setting a box whose handler sets another
    // box...) at most since the last reset: the reliability tests check that it stays bounded.
    static int maxChangeDepth() { return s_maxChangeDepth; }
    static void resetMaxChangeDepth() { s_maxChangeDepth = 0; }

Q_SIGNALS:
    void changed();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void runChangeHandling();
    // Inserts `text` in place of the selection, made fit for one line and for the room left.
    void insertAsOneChange(const QString &text);
    // The text and the place an insertion would replace now (the selection or the caret).
    Insertion insertionPlace() const;
    // What the box takes of a pasted, dropped or composed `text` in place of the selection.
    QString fittingLine(const QString &text) const;
    void showFromStartUnlessFocused();

    static inline int s_changeDepth = 0;
    static inline int s_maxChangeDepth = 0;
    int m_maxLength = kNoLengthLimit;
    unsigned m_backColor = 0xFFFFFF;
    bool m_holdsNumbers = true;
    // The focus handling of a mouse click selected the whole text; the press that follows the
    // focus would clear that selection, so it is restored when the button is released.
    bool m_reselectOnRelease = false;
    // Where the caret stood before the box was scrolled to its first character for show.
    int m_caretBeforeShowing = -1;
};

// Colours in the 0x00BBGGRR form.
inline constexpr unsigned kWhite = 0xFFFFFF;
inline constexpr unsigned kYellow = 0x00FFFF;

} // namespace kestrune
