// SPDX-License-Identifier: GPL-3.0-or-later
// Offscreen: events handed to the widgets by Qt's test functions, dialogs answered by the
// recording services.

#include "tools/useractions.h"

#include "platform/textbox.h"
#include "tools/session.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QTest>

namespace kestrune {

namespace {

class OffscreenActions : public UserActions {
public:
    explicit OffscreenActions(std::function<void(const QString &)> record)
        : m_services(std::move(record))
    { }

    Services &services() override { return m_services; }
    void queueAnswer(std::optional<QString> text) override { m_services.queueAnswer(text); }
    void queuePrintAnswer(RecordingServices::PrintAnswer answer, const QString &target) override
    {
        if (!m_services.queuePrintAnswer(answer, target))
            throw ScriptError("the print system has no printer " + target.toStdString());
    }
    void setToday(QDate date) override { m_services.setToday(date); }
    void failNextBrowser() override { m_services.failNextBrowser(); }

    void click(QWidget *control, QPoint at) override
    {
        QPointer<QWidget> target = control;
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, at);
        // The click lands after the end of the text, also where the text is wider than the box.
        auto *box = qobject_cast<TextBox *>(target.data());
        if (box && !box->hasSelectedText())
            box->setCursorPosition(static_cast<int>(box->text().size()));
    }

    void typeCharacter(QWidget *window, char32_t character) override
    {
        QWidget *target = focusTarget(window);
        const QString text = QString::fromUcs4(&character, 1);
        Qt::Key code = Qt::Key_unknown;
        if (character == U' ')
            code = Qt::Key_Space;
        else if (character > 32 && character < 127)
            code = Qt::Key(QChar(static_cast<char16_t>(character)).toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, target, code, text, Qt::NoModifier);
        // A keystroke that moved the focus (a message box's check) releases elsewhere.
        if (focusTarget(window) == target)
            QTest::sendKeyEvent(QTest::Release, target, code, text, Qt::NoModifier);
    }

    void pressKey(QWidget *window, const KeyCombination &key) override
    {
        QTest::sendKeyEvent(QTest::Click, focusTarget(window), key.key, key.text, key.modifiers);
    }

    void chooseMenuItem(QMainWindow *window, QAction *item) override
    {
        activate(window);
        item->trigger();
    }

    void activate(QWidget *window) override
    {
        if (QApplication::activeWindow() == window) return;
        window->raise();
        window->activateWindow();
        QCoreApplication::processEvents();
        if (QApplication::activeWindow() != window) QApplication::setActiveWindow(window);
    }

    void close(QWidget *window) override { window->close(); }

    void settle() override
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    static QWidget *focusTarget(QWidget *window)
    {
        QWidget *target = window->focusWidget();
        return target ? target : window;
    }

    RecordingServices m_services;
};

} // namespace

std::unique_ptr<UserActions> makeOffscreenActions(std::function<void(const QString &)> record)
{
    return std::make_unique<OffscreenActions>(std::move(record));
}

} // namespace kestrune
