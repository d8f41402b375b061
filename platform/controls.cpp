// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"

#include "platform/commandbutton.h"
#include "platform/textbox.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace kestrune {

QFont windowFont(double pointSize, bool bold)
{
    QFont font;
    font.setFamilies({ QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
        QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
        QStringLiteral("DejaVu Sans") });
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, QRect geometry,
    Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setProperty("caption", caption);
    label->setTextFormat(Qt::PlainText);
    label->setText(QString(caption).replace(QStringLiteral("&&"), QStringLiteral("&")));
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    label->setFont(windowFont());
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *button = new CommandButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setFont(windowFont());
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return button;
}

void setButtonFace(QPushButton *button, const QColor &colour)
{
    if (auto *command = qobject_cast<CommandButton *>(button)) command->setFaceColour(colour);
}

TextBox *makeTextBox(QWidget *parent, const char *name, int maxLength, QRect geometry)
{
    auto *box = new TextBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    else
        box->setMaxLength(32767);
    box->setGeometry(geometry);
    box->setFont(windowFont());
    return box;
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = window->screen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

QString storedCaption(const QWidget *control)
{
    if (const auto *button = qobject_cast<const QPushButton *>(control)) return button->text();
    if (const QVariant caption = control->property("caption"); caption.isValid())
        return caption.toString();
    if (const auto *label = qobject_cast<const QLabel *>(control)) return label->text();
    return {};
}

} // namespace kestrune
