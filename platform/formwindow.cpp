// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/formwindow.h"

#include "core/appinfo.h"
#include "core/messages.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/geometry.h"
#include "platform/qttext.h"
#include "platform/services.h"
#include "platform/textbox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QScreen>

namespace kestrune {

namespace {

// The frame (title bar and borders) the window manager gives a window that is shown, to stand
// for that of a window not yet shown, whose frame is not known before the window manager has it.
QMargins frameOfShownWindows()
{
    for (const QWidget *shown : QApplication::topLevelWidgets()) {
        if (!shown->isVisible()) continue;
        const QRect frame = shown->frameGeometry(), inside = shown->geometry();
        if (frame != inside)
            return { inside.left() - frame.left(), inside.top() - frame.top(),
                frame.right() - inside.right(), frame.bottom() - inside.bottom() };
    }
    return {};
}

// Places a window, about to be shown for the first time, in the middle of its screen's free
// area, and inside it as far as it fits, its title bar included.
void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    if (frame != window->geometry()) {
        window->move(openingFrame(frame, screen->availableGeometry()).topLeft());
        return;
    }
    // The frame is not known yet (X11): the window is placed by its inside, and the frame
    // of a window already shown says how much the title bar and borders add around it.
    const QMargins margins = frameOfShownWindows();
    frame = openingFrame(frame.marginsAdded(margins), screen->availableGeometry());
    window->move(frame.topLeft() + QPoint(margins.left(), margins.top()));
}

} // namespace

FormWindow::FormWindow(Services &services, const char *name, const QString &title, int blanks,
    int widthTwips, int heightTwips)
    : m_services(services), m_form(new Form(this))
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(title + QString(blanks, QLatin1Char(' ')) + fromUtf8(kWebAddress));
    // A fixed layout: the frame offers minimise and close, but no maximise.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("client"));
    area->setFixedSize(twips(widthTwips), twips(heightTwips));
    area->setFont(windowFont());
    setCentralWidget(area);
    // The layout is absolute: the window takes the client area's size and keeps it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

FormWindow::~FormWindow() = default;

void FormWindow::tell(const Message &message)
{
    m_services.showMessage(this, fromUtf8(message.prompt), message.style, fromUtf8(message.title));
}

void FormWindow::selectTextOnFocus(const QList<TextBox *> &boxes)
{
    for (TextBox *box : boxes) {
        // The box holding the focus when the handling runs, which is the box that gained it.
        m_form->onGotFocus(box, [this] {
            if (TextBox *focused = m_form->activeTextBox()) focused->selectWhole();
        });
    }
}

void FormWindow::showEvent(QShowEvent *event)
{
    if (!m_centred) {
        m_centred = true;
        centreOnScreen(this);
    }
    QMainWindow::showEvent(event);
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) Q_EMIT closed();
}

} // namespace kestrune
