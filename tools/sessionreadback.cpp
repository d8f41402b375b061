// SPDX-License-Identifier: GPL-3.0-or-later
// What a session reads back from the windows for the transcript: the texts of the fields
// (`show`), where the focus and the caret are (`focus`) and a control's properties (`props`).

#include "tools/session.h"

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/textbox.h"
#include "triangle/trianglewindow.h"

#include <QAction>
#include <QMenu>

namespace kestrune {

namespace {

const char *const kMainFieldOrder[] = { "txtID", "txtProjImp", "txtProjMet", "txtRiseImp",
    "txtRiseMet", "txtWidthImp", "txtWidthMet", "txtDeg", "txtMin", "txtCotangent", "txtStructImp",
    "txtStructMet", "txtMachImp", "txtMachMet", "txtBrakeStopImp", "txtBrakeStopMet",
    "txtBrakeRunImp", "txtBrakeRunMet" };

QString colourText(unsigned bgr)
{
    const unsigned red = bgr & 0xFF, green = (bgr >> 8) & 0xFF, blue = (bgr >> 16) & 0xFF;
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

void ScriptSession::show(const QString &names)
{
    QStringList list = names.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (list.isEmpty()) {
        if (m_main) {
            for (const char *field : kMainFieldOrder)
                list << QString::fromLatin1(field);
        }
        if (m_triangle) {
            for (int i = 1; i <= 39; ++i)
                list << QStringLiteral("Text%1").arg(i);
        }
    }
    for (const QString &name : list) {
        auto *box = qobject_cast<TextBox *>(resolve(name));
        if (!box) throw ScriptError("not a text box: " + name.toStdString());
        emitLine(QStringLiteral("field %1 %2").arg(name, quoted(box->text())));
    }
}

void ScriptSession::focus()
{
    QWidget *win = activeWindow();
    if (!win) throw ScriptError("no window is open");
    const Form &form = win == m_main ? m_main->form() : m_triangle->form();
    QWidget *control = form.activeControl();
    int start = 0;
    int length = 0;
    if (auto *box = qobject_cast<TextBox *>(control)) {
        if (box->hasSelectedText()) {
            start = box->selectionStart();
            length = static_cast<int>(box->selectedText().size());
        } else {
            start = box->cursorPosition();
        }
    }
    emitLine(QStringLiteral("focus %1 %2 %3 %4")
                 .arg(activeWindowName(), control ? control->objectName() : QStringLiteral("none"))
                 .arg(start)
                 .arg(length));
}

void ScriptSession::props(const QString &name)
{
    if (name == QLatin1String("main") || name == QLatin1String("triangle")) {
        QWidget *win = window(name);
        if (!win) throw ScriptError("window is not open: " + name.toStdString());
        emitLine(QStringLiteral("props %1 caption=%2").arg(name, quoted(win->windowTitle())));
        return;
    }
    QObject *object = resolveObject(name);
    if (auto *box = qobject_cast<TextBox *>(object)) {
        const int maxLength = box->maxLength() >= TextBox::kNoLengthLimit ? 0 : box->maxLength();
        emitLine(QStringLiteral("props %1 maxlen=%2 locked=%3 tabstop=%4 color=%5")
                     .arg(name)
                     .arg(maxLength)
                     .arg(box->isLocked() ? 1 : 0)
                     .arg(box->tabStop() ? 1 : 0)
                     .arg(colourText(box->backColor())));
        return;
    }
    QString caption;
    QString tooltip;
    if (auto *action = qobject_cast<QAction *>(object)) {
        caption = action->text();
    } else if (auto *menu = qobject_cast<QMenu *>(object)) {
        caption = menu->title();
    } else if (auto *widget = qobject_cast<QWidget *>(object)) {
        caption = storedCaption(widget);
        tooltip = widget->toolTip();
    }
    emitLine(QStringLiteral("props %1 caption=%2 tooltip=%3")
                 .arg(name, quoted(caption), quoted(tooltip)));
}

} // namespace kestrune
