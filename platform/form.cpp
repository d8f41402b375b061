// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/form.h"

#include "platform/textbox.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

namespace kestrune {

namespace {

// Screen readers see a window made of a plain widget as an unnamed panel ("filler"). Such a
// window (the triangle window) is presented as a window with its title, as a main window is.
QAccessibleInterface *accessibleWindow(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || widget->windowType() != Qt::Window
        || widget->metaObject()->superClass() != &QWidget::staticMetaObject
        || className != QLatin1String(widget->metaObject()->className()))
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace

Form::Form(QWidget *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
    static const bool installed = [] {
        QAccessible::installFactory(accessibleWindow);
        return true;
    }();
    Q_UNUSED(installed);
}

void Form::addControl(QWidget *control, int tabIndex)
{
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), tabIndex,
        [](int index, const Entry &entry) { return index < entry.tabIndex; });
    m_entries.insert(at, Entry { control, tabIndex, {}, {} });
    control->installEventFilter(this);
}

Form::Entry *Form::find(const QWidget *control)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
        [control](const Entry &entry) { return entry.control == control; });
    return it == m_entries.end() ? nullptr : &*it;
}

void Form::onGotFocus(QWidget *control, std::function<void()> handler)
{
    if (Entry *entry = find(control)) entry->gotFocus = std::move(handler);
}

void Form::onLostFocus(QWidget *control, std::function<void()> handler)
{
    if (Entry *entry = find(control)) entry->lostFocus = std::move(handler);
}

TextBox *Form::activeTextBox() const
{
    return qobject_cast<TextBox *>(m_focused.data());
}

void Form::moveFocus(QWidget *control)
{
    if (control == m_focused) return;
    QWidget *previous = m_focused;
    const bool previousHandled = m_focusHandled;
    m_focused = control;
    m_focusHandled = false;

    m_maxDepth = std::max(m_maxDepth, ++m_depth);
    if (previous && previousHandled) {
        if (Entry *entry = find(previous); entry && entry->lostFocus) entry->lostFocus();
    }
    if (m_focused == control) {
        m_focusHandled = true;
        if (Entry *entry = find(control); entry && entry->gotFocus) entry->gotFocus();
    }
    --m_depth;
}

void Form::setFocusTo(QWidget *control)
{
    moveFocus(control);
    // Keep the platform's focus with the window's: the box shows its caret and receives the keys.
    // While the window is inactive (a message box just closed) the platform only records it.
    if (m_focused == control && control->focusPolicy() != Qt::NoFocus)
        control->setFocus(Qt::OtherFocusReason);
}

void Form::windowOpened()
{
    m_opened = true;
    const auto first = std::find_if(m_entries.begin(), m_entries.end(), [](const Entry &entry) {
        return (entry.control->focusPolicy() & Qt::TabFocus) && entry.control->isEnabled();
    });
    if (first != m_entries.end()) setFocusTo(first->control);
}

void Form::tab(bool forward)
{
    if (m_entries.empty()) return;
    const int count = static_cast<int>(m_entries.size());
    int from = -1;
    for (int i = 0; i < count; ++i) {
        if (m_entries[i].control == m_focused) from = i;
    }
    if (from < 0) from = forward ? count - 1 : 0;
    for (int step = 1; step <= count; ++step) {
        const int i = ((from + (forward ? step : -step)) % count + count) % count;
        QWidget *candidate = m_entries[i].control;
        if ((candidate->focusPolicy() & Qt::TabFocus) && candidate->isEnabled()
            && candidate->isVisible()) {
            if (candidate == m_focused) return;
            if (m_window->isActiveWindow())
                candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            else
                setFocusTo(candidate); // no focus event reaches an inactive window
            // The platform selects the whole text of a box that Tab reaches.
            if (m_focused == candidate) {
                if (auto *box = qobject_cast<TextBox *>(candidate)) box->selectWhole();
            }
            return;
        }
    }
}

bool Form::handleKey(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier) return false;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *button = qobject_cast<QAbstractButton *>(m_focused.data())) {
            button->click();
            return true;
        }
        if (m_defaultButton && m_defaultButton->isEnabled()) {
            m_defaultButton->click();
            return true;
        }
        return false;
    case Qt::Key_Escape:
        if (m_cancelButton && m_cancelButton->isEnabled()) {
            m_cancelButton->click();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (watched == m_window && !m_opened) windowOpened();
        return false;
    case QEvent::FocusIn: {
        auto *control = qobject_cast<QWidget *>(watched);
        if (!control || control == m_window || !find(control)) return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason
            || reason == Qt::MenuBarFocusReason) {
            // The window became active again: its focused control is unchanged.
            if (control != m_focused) {
                m_focused = control;
                m_focusHandled = true;
            }
            return false;
        }
        if (control == m_focused) return false;
        moveFocus(control);
        // A focus-loss handler may have sent the focus elsewhere; this box then never had it.
        return QApplication::focusWidget() != control
            && control->window()->focusWidget() != control;
    }
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
            tab(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        return handleKey(key);
    }
    case QEvent::Shortcut: {
        auto *button = qobject_cast<QAbstractButton *>(watched);
        if (!button || !find(button)) return false;
        // An access key acts as a click: the focus moves to the button, then it is pressed.
        if (button->focusPolicy() != Qt::NoFocus) button->setFocus(Qt::ShortcutFocusReason);
        button->click();
        return true;
    }
    default:
        return false;
    }
}

} // namespace kestrune
