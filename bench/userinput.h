// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The benchmarks act as the user does: controls found by their names, keys and mouse clicks sent
// to them, and the event loop run until everything they caused, repaints included, is done. Also
// what the boxes of a window show, to compare before and after a step.

#include <QString>
#include <QWidget>

#include <string>
#include <utility>
#include <vector>

class QLineEdit;

namespace kestrune::interaction {

using Texts = std::vector<std::pair<QString, QString>>;

// Ends the program with `why` on standard error: the windows are not what the benchmarks expect.
[[noreturn]] void giveUp(const std::string &why);

template <class Control> Control *control(QWidget *window, const QString &name)
{
    Control *found = window ? window->findChild<Control *>(name) : nullptr;
    if (!found) giveUp("no control " + name.toStdString() + " in the window");
    return found;
}

QLineEdit *box(QWidget *window, const char *name);

void settle();
void activate(QWidget *window);
QWidget *focused();
void key(Qt::Key code, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void type(const QString &text);
void clickInto(QLineEdit *box);
void replaceText(QLineEdit *box, const QString &text);

// The names and texts of the line edits of a window.
Texts boxTexts(QWidget *window);
Texts changed(const Texts &before, const Texts &after);
// Sets the texts of the named boxes; whether the named boxes show those texts.
void show(QWidget *window, const Texts &texts);
bool showing(QWidget *window, const Texts &texts);

} // namespace kestrune::interaction
