// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The desktop suite's fixture and what it reads back from the X server: pixels, selections and
// the clipboard as another program sees them.

#include "platform/helpwindow.h"
#include "platform/textbox.h"
#include "tools/headless.h"
#include "tools/session.h"
#include "tools/x11input.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>

#include <X11/keysym.h>

#include <string_view>

#include <gtest/gtest.h>

namespace kestrune {
// A session of the scripted driver on the real display; its transcript is kept.
struct Desktop : testing::Test {
    QStringList transcript;
    ScriptSession session { [this](const QString &line) { transcript << line; },
        ScriptSession::Display::Desktop };

    void run(std::initializer_list<const char *> lines)
    {
        for (const char *line : lines)
            session.run(QString::fromUtf8(line));
    }
    int count(const QString &start) const
    {
        return static_cast<int>(std::count_if(transcript.cbegin(), transcript.cend(),
            [&start](const QString &line) { return line.startsWith(start); }));
    }
    template <typename T = QWidget> T *control(QWidget *window, const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
};

// What the X server shows of `widget` now.
inline QImage onScreen(QWidget *widget)
{
    const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

inline QImage rendered(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The point `at` of `widget` in the X screen's pixels.
inline QPoint screenPoint(QWidget *widget, QPoint at)
{
    return widget->mapToGlobal(at) * widget->devicePixelRatio();
}

// How many pixels inside `widget` (its edges left out) are dark: text drawn in black or another
// dark colour on the light boxes and buttons. The screen is read again until at least `wanted`
// are, or for 5 seconds: a loaded machine may paint late.
inline int darkPixels(QWidget *widget, int edge, int wanted)
{
    int dark = 0;
    const auto count = [&] {
        const QImage image = onScreen(widget);
        dark = 0;
        for (int y = edge; y < image.height() - edge; ++y) {
            for (int x = edge; x < image.width() - edge; ++x)
                dark += qGray(image.pixel(x, y)) < 110 ? 1 : 0;
        }
        return dark >= wanted;
    };
    // The count of the last reading is the answer, whether or not it reached `wanted`.
    [[maybe_unused]] const bool reached = QTest::qWaitFor(count, 5000);
    return dark;
}

// A dark colour scheme of the kind desktops offer (light text on dark grey).
inline QPalette darkPalette()
{
    QPalette dark;
    const QColor window(53, 53, 53), base(35, 35, 35);
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive }) {
        dark.setColor(group, QPalette::Window, window);
        dark.setColor(group, QPalette::WindowText, Qt::white);
        dark.setColor(group, QPalette::Base, base);
        dark.setColor(group, QPalette::AlternateBase, window);
        dark.setColor(group, QPalette::Text, Qt::white);
        dark.setColor(group, QPalette::Button, window);
        dark.setColor(group, QPalette::ButtonText, Qt::white);
        dark.setColor(group, QPalette::Highlight, QColor(42, 130, 218));
        dark.setColor(group, QPalette::HighlightedText, Qt::black);
        dark.setColor(group, QPalette::ToolTipBase, base);
        dark.setColor(group, QPalette::ToolTipText, Qt::white);
    }
    return dark;
}

// Saves the window with its frame as the X server shows it, into the folder named by
// KESTRUNE_SCREENSHOTS (for the user guide), when it is set.
inline void saveScreenshot(QWidget *window, const char *file)
{
    const QString folder = qEnvironmentVariable("KESTRUNE_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QTest::qWait(300);
    const QRect frame = window->frameGeometry();
    window->screen()
        ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
        .save(folder + QLatin1Char('/') + QLatin1String(file));
}

// The text X11's selection (`selection` "primary") or clipboard ("clipboard") holds, read by
// another program, as a paste into it would be; in the form `type` (a MIME type) where given.
inline QString readBack(const char *selection, const char *type = nullptr)
{
    QProcess xclip;
    QStringList arguments { QStringLiteral("-o"), QStringLiteral("-selection"),
        QString::fromLatin1(selection) };
    if (type) arguments << QStringLiteral("-t") << QString::fromLatin1(type);
    xclip.start(QStringLiteral("xclip"), arguments);
    // This program owns the selection: it must go on answering while xclip asks.
    if (!QTest::qWaitFor([&xclip] { return xclip.state() == QProcess::NotRunning; }, 10000))
        return QStringLiteral("(xclip did not finish)");
    return QString::fromUtf8(xclip.readAllStandardOutput());
}

// What `selection` holds once it holds `expected`, or after 5 seconds: the program sets it when
// it has handled the mouse button's release, which may come late on a loaded machine.
inline QString readBackWhen(const char *selection, const QString &expected)
{
    QString held;
    [[maybe_unused]] const bool arrived = QTest::qWaitFor(
        [&] {
            held = readBack(selection);
            return held == expected;
        },
        5000);
    return held;
}

} // namespace kestrune
