// SPDX-License-Identifier: GPL-3.0-or-later
// Acting as the user: keys and mouse clicks sent to the controls of the windows, each followed by
// the event loop, and the texts of the windows' boxes read and written.

#include "bench/userinput.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kestrune::interaction {

[[noreturn]] void giveUp(const std::string &why)
{
    std::fprintf(stderr, "kestrune-bench: %s\n", why.c_str());
    std::exit(EXIT_FAILURE);
}

QLineEdit *box(QWidget *window, const char *name)
{
    return control<QLineEdit>(window, QString::fromLatin1(name));
}

void settle()
{
    QCoreApplication::processEvents();
}

void activate(QWidget *window)
{
    if (QApplication::activeWindow() == window) return;
    window->raise();
    window->activateWindow();
    settle();
    if (QApplication::activeWindow() != window) QApplication::setActiveWindow(window);
    settle();
}

QWidget *focused()
{
    QWidget *widget = QApplication::focusWidget();
    if (!widget) giveUp("no control holds the focus");
    return widget;
}

void key(Qt::Key code, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(focused(), code, modifiers);
    settle();
}

void type(const QString &text)
{
    for (const QChar c : text) {
        QTest::keyClick(focused(), c.toLatin1());
        settle();
    }
}

// A click into a box lands after its text, as the scripted driver clicks.
void clickInto(QLineEdit *box)
{
    activate(box->window());
    QTest::mouseClick(
        box, Qt::LeftButton, Qt::NoModifier, QPoint(box->width() - 3, box->height() / 2));
    settle();
}

void replaceText(QLineEdit *box, const QString &text)
{
    clickInto(box);
    key(Qt::Key_A, Qt::ControlModifier);
    type(text);
}

Texts boxTexts(QWidget *window)
{
    Texts texts;
    for (const QLineEdit *box : window->findChildren<QLineEdit *>())
        texts.emplace_back(box->objectName(), box->text());
    return texts;
}

// The boxes whose text differs between two pictures of the same window.
Texts changed(const Texts &before, const Texts &after)
{
    Texts result;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
        if (before[i].second == after[i].second) continue;
        result.push_back(after[i]);
    }
    return result;
}

void show(QWidget *window, const Texts &texts)
{
    for (const auto &[name, text] : texts)
        control<QLineEdit>(window, name)->setText(text);
}

bool showing(QWidget *window, const Texts &texts)
{
    return std::all_of(texts.begin(), texts.end(), [window](const auto &entry) {
        return control<QLineEdit>(window, entry.first)->text() == entry.second;
    });
}

} // namespace kestrune::interaction
