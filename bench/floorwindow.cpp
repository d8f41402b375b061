// SPDX-License-Identifier: GPL-3.0-or-later
#include "floorwindow.h"

#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

namespace kestrune {

namespace {

// A plain toolkit copy of `control` under `client`, or null for a kind of control the floor
// leaves out.
QWidget *copyOf(const QWidget *control, QWidget *client)
{
    if (const auto *box = qobject_cast<const QLineEdit *>(control)) {
        auto *copy = new QLineEdit(client);
        copy->setMaxLength(box->maxLength());
        copy->setReadOnly(box->isReadOnly());
        copy->setAlignment(box->alignment());
        copy->setFrame(box->hasFrame());
        copy->setText(box->text());
        return copy;
    }
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        auto *copy = new QLabel(client);
        copy->setTextFormat(label->textFormat());
        copy->setText(label->text());
        copy->setAlignment(label->alignment());
        copy->setWordWrap(label->wordWrap());
        copy->setFrameStyle(label->frameStyle());
        copy->setMargin(label->margin());
        copy->setIndent(label->indent());
        return copy;
    }
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        auto *copy = new QPushButton(button->text(), client);
        copy->setDefault(button->isDefault());
        copy->setFlat(button->isFlat());
        return copy;
    }
    if (control->metaObject() == &QFrame::staticMetaObject) {
        const auto *frame = static_cast<const QFrame *>(control);
        auto *copy = new QFrame(client);
        copy->setFrameStyle(frame->frameStyle());
        copy->setLineWidth(frame->lineWidth());
        copy->setMidLineWidth(frame->midLineWidth());
        return copy;
    }
    return nullptr;
}

} // namespace

QWidget *makeFloorWindow(QWidget *window)
{
    QWidget *floor = nullptr;
    QWidget *client = nullptr;
    QWidget *windowClient = window;
    if (auto *mainWindow = qobject_cast<QMainWindow *>(window)) {
        auto *floorMain = new QMainWindow;
        for (const QAction *menu : mainWindow->menuBar()->actions())
            floorMain->menuBar()->addMenu(menu->text());
        windowClient = mainWindow->centralWidget();
        client = new QWidget(floorMain);
        client->setFixedSize(windowClient->size());
        floorMain->setCentralWidget(client);
        floorMain->layout()->setSizeConstraint(QLayout::SetFixedSize);
        floor = floorMain;
    } else {
        floor = new QWidget;
        floor->setFixedSize(window->size());
        client = floor;
    }
    floor->setAttribute(Qt::WA_DeleteOnClose);
    floor->setObjectName(window->objectName());
    floor->setWindowTitle(window->windowTitle());
    floor->setFont(window->font());
    client->setFont(windowClient->font());

    for (const QWidget *control : windowClient->findChildren<QWidget *>()) {
        if (!control->isVisibleTo(window)) continue;
        QWidget *copy = copyOf(control, client);
        if (!copy) continue;
        copy->setObjectName(control->objectName());
        copy->setGeometry(QRect(control->mapTo(windowClient, QPoint(0, 0)), control->size()));
        copy->setFont(control->font());
        if (control->testAttribute(Qt::WA_SetPalette)) copy->setPalette(control->palette());
        copy->setAutoFillBackground(control->autoFillBackground());
        copy->setFocusPolicy(control->focusPolicy());
    }
    return floor;
}

} // namespace kestrune
