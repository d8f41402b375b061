// SPDX-License-Identifier: GPL-3.0-or-later
#include "triangle/frmtriangle.h"

#include "platform/appinfo.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/geometry.h"

#include <QCloseEvent>
#include <QScreen>

namespace kestrune {

frmTriangle::frmTriangle(Services &services, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_services(services)
{
    setObjectName(QStringLiteral("triangle"));
    setWindowTitle(QStringLiteral("Trigonometric Functions in a Right-Angled Triangle")
        + QString(17, QLatin1Char(' ')) + kWebAddress);
    setFixedSize(twips(10470), twips(10080));
    setFont(windowFont());
    m_form = new Form(this);
}

frmTriangle::~frmTriangle() = default;

void frmTriangle::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}

void frmTriangle::showEvent(QShowEvent *event)
{
    if (!m_centred) {
        m_centred = true;
        if (const QScreen *screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
}

} // namespace kestrune
