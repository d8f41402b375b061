// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The focus and keyboard behaviour of one window, in one place.
//
// Each window keeps its own focused control. When the focus moves inside the window from control
// X to control Y (a click, Tab, an access key, or the program's setFocusTo), the window first
// records Y as focused, then runs X's focus-loss handler, then, if Y is still the focused control,
// Y's focus-gain handler. Only a control whose focus gain was handled (or that held the focus when
// the window opened) has focus loss to handle: without this rule, two focus-loss checks that each
// hand the focus back to their own box would pass it between them for ever.
//
// Switching the active window (another window, a menu, a modal message box or dialog opening or
// closing) is not a control losing the focus and runs no handler at all.
//
// The Tab key follows the tab indices of the controls that have a tab stop and selects the whole
// text of a text box it reaches. Enter presses the focused button, or the default button when the
// focus is anywhere else; Esc presses the cancel button; neither moves the focus. An access key
// moves the focus to its button and presses it.

#include <QAbstractButton>
#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QKeyEvent;
class QWidget;

namespace kestrune {

class TextBox;

class Form : public QObject {
    Q_OBJECT
public:
    explicit Form(QWidget *window);

    // Registers a text box or button that can take the focus, at its place in the tab order.
    void addControl(QWidget *control, int tabIndex);
    void onGotFocus(QWidget *control, std::function<void()> handler);
    void onLostFocus(QWidget *control, std::function<void()> handler);

    void setDefaultButton(QAbstractButton *button) { m_defaultButton = button; }
    void setCancelButton(QAbstractButton *button) { m_cancelButton = button; }

    // SetFocus: moves the focus to `control`, running the handlers as described above.
    void setFocusTo(QWidget *control);

    // The control holding the window's focus (ActiveControl), or null.
    QWidget *activeControl() const { return m_focused; }
    TextBox *activeTextBox() const;

    // How deeply focus handlers have nested at most since the last reset.
    int maxDepth() const { return m_maxDepth; }
    void resetMaxDepth() { m_maxDepth = 0; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry {
        QWidget *control;
        int tabIndex;
        std::function<void()> gotFocus;
        std::function<void()> lostFocus;
    };

    Entry *find(const QWidget *control);
    void moveFocus(QWidget *control);
    void windowOpened();
    void tab(bool forward);
    bool handleKey(QKeyEvent *event);

    QWidget *m_window;
    std::vector<Entry> m_entries; // kept in tab-index order
    QPointer<QWidget> m_focused;
    bool m_focusHandled = false; // the focused control's focus gain has been handled
    bool m_opened = false;
    int m_depth = 0;
    int m_maxDepth = 0;
    QPointer<QAbstractButton> m_defaultButton;
    QPointer<QAbstractButton> m_cancelButton;
};

} // namespace kestrune
