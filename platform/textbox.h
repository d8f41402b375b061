// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A single-line text box with the behaviour Kestrune's windows are built on:
// - a text set by the program is cut to the maximum length without a message, and setting the
//   text the box already holds changes nothing at all (no change handling, selection kept);
// - `changed` is emitted synchronously, nested inside the step that changed the text, for every
//   accepted keystroke and for every program change;
// - Locked refuses editing but still lets the user focus, select and copy;
// - TabStop off keeps the box out of the Tab order but lets a click focus it;
// - BackColor in the 0x00BBGGRR form the windows' designs use.

#include <QLineEdit>

namespace kestrune {

class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    // Sets the text as a program step does; see the class comment.
    void setFieldText(const QString &text);

    bool isLocked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }

    bool tabStop() const { return (focusPolicy() & Qt::TabFocus) != 0; }
    void setTabStop(bool tabStop);

    unsigned backColor() const { return m_backColor; }
    void setBackColor(unsigned bgr);

    // A box the user may edit is white and in the Tab order; one the user may not edit is a
    // locked, yellow display that Tab skips. Set in the order TabStop, Locked, BackColor.
    void setEditable(bool editable);

    // Selects the whole text, as a box that selects its text on gaining the focus does.
    void selectWhole();

    // How deeply change handling has nested (a handler setting a box whose handler sets another
    // box...) at most since the last reset: the reliability tests check that it stays bounded.
    static int maxChangeDepth() { return s_maxChangeDepth; }
    static void resetMaxChangeDepth() { s_maxChangeDepth = 0; }

Q_SIGNALS:
    void changed();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void runChangeHandling();

    static inline int s_changeDepth = 0;
    static inline int s_maxChangeDepth = 0;
    unsigned m_backColor = 0xFFFFFF;
    // The focus handling of a mouse click selected the whole text; the press that follows the
    // focus would clear that selection, so it is restored when the button is released.
    bool m_reselectOnRelease = false;
};

// Colours in the 0x00BBGGRR form.
inline constexpr unsigned kWhite = 0xFFFFFF;
inline constexpr unsigned kYellow = 0x00FFFF;

} // namespace kestrune
