// SPDX-License-Identifier: GPL-3.0-or-later
// On a real X display: every click and key goes through the X server as real input (XTEST), the
// program shows its real message boxes, prompt and print dialog, and each of those is read back
// from the real dialog for the transcript and answered with real key presses.

#include "tools/useractions.h"

#include "platform/qtservices.h"
#include "tools/session.h"
#include "tools/x11input.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QStyleHints>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <X11/keysym.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <memory>

namespace kestrune {

namespace {

// How long the program may take to react to one action before the run is given up: far longer
// than any action takes, even on a loaded machine.
constexpr int kPatience = 15000;

// The real dialogs, with the current date the script chose.
class DesktopServices : public QtServices {
public:
    QDate today() override { return m_today.isValid() ? m_today : QtServices::today(); }
    void setToday(QDate date) { m_today = date; }

private:
    QDate m_today;
};

// Notices the marker messages that follow a batch of input.
class MarkerFilter : public QAbstractNativeEventFilter {
public:
    explicit MarkerFilter(unsigned long atom) : m_atom(atom) { }
    long seen() const { return m_seen; }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t") return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
        const auto *client = static_cast<const xcb_client_message_event_t *>(message);
        if (client->type != m_atom) return false;
        m_seen = static_cast<long>(client->data.data32[0]);
        return true;
    }

private:
    unsigned long m_atom;
    long m_seen = 0;
};

std::uint32_t keysymOf(const KeyCombination &key)
{
    static const std::pair<Qt::Key, std::uint32_t> named[]
        = { { Qt::Key_Tab, XK_Tab }, { Qt::Key_Backtab, XK_Tab }, { Qt::Key_Return, XK_Return },
              { Qt::Key_Enter, XK_KP_Enter }, { Qt::Key_Escape, XK_Escape },
              { Qt::Key_Backspace, XK_BackSpace }, { Qt::Key_Delete, XK_Delete },
              { Qt::Key_Insert, XK_Insert }, { Qt::Key_Home, XK_Home }, { Qt::Key_End, XK_End },
              { Qt::Key_Left, XK_Left }, { Qt::Key_Right, XK_Right }, { Qt::Key_Up, XK_Up },
              { Qt::Key_Down, XK_Down }, { Qt::Key_Space, XK_space }, { Qt::Key_F4, XK_F4 } };
    for (const auto &[qtKey, keysym] : named) {
        if (key.key == qtKey) return keysym;
    }
    if (key.key >= Qt::Key_A && key.key <= Qt::Key_Z)
        return XK_a + static_cast<std::uint32_t>(key.key - Qt::Key_A);
    if (key.key >= Qt::Key_0 && key.key <= Qt::Key_9)
        return XK_0 + static_cast<std::uint32_t>(key.key - Qt::Key_0);
    return 0;
}

unsigned modifiersOf(Qt::KeyboardModifiers modifiers)
{
    unsigned held = 0;
    if (modifiers & Qt::ShiftModifier) held |= X11Input::Shift;
    if (modifiers & Qt::ControlModifier) held |= X11Input::Control;
    if (modifiers & Qt::AltModifier) held |= X11Input::Alt;
    return held;
}

int styleOf(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::Critical:
        return MessageStyle::Stop;
    case QMessageBox::Question:
        return MessageStyle::Question;
    case QMessageBox::Information:
        return MessageStyle::Information;
    default:
        return 0;
    }
}

class DesktopActions : public QObject, public UserActions {
public:
    explicit DesktopActions(std::function<void(const QString &)> record)
        : m_record(std::move(record)), m_markers(m_atom)
    {
        m_input.setDoubleClickTime(QGuiApplication::styleHints()->mouseDoubleClickInterval());
        QCoreApplication::instance()->installNativeEventFilter(&m_markers);
        qApp->installEventFilter(this);
        // An unmapped window of the driver's own, the addressee of the markers.
        m_markerWindow.create();
        // The user's hand on the mouse, out of the way in a corner, before the program starts:
        // window managers give a new window the focus when the user has just done something.
        if (m_input.isOpen()) {
            m_input.movePointer(QPoint(0, 0));
            m_input.sync();
        }
    }
    ~DesktopActions() override
    {
        qApp->removeEventFilter(this);
        QCoreApplication::instance()->removeNativeEventFilter(&m_markers);
    }

    bool ready() const { return m_input.isOpen(); }

    Services &services() override { return m_services; }
    void queueAnswer(std::optional<QString> text) override { m_answers.push_back(std::move(text)); }
    void queuePrintAnswer(RecordingServices::PrintAnswer answer, const QString &file) override
    {
        using Answer = RecordingServices::PrintAnswer;
        if (answer == Answer::Ok || answer == Answer::Fail || answer == Answer::Queue)
            throw ScriptError("printer ok, fail and queue need the recording print dialog; on a "
                              "real display use printer pdf FILE or printer cancel");
        m_printAnswers.emplace_back(answer, file);
    }
    void setToday(QDate date) override { m_services.setToday(date); }
    void failNextBrowser() override
    {
        throw ScriptError("browser fail cannot be given on a real display: it has its own browser");
    }

    void click(QWidget *control, QPoint at) override
    {
        waitUntilActive(control->window());
        m_input.click(onScreen(control, at));
    }

    void typeCharacter(QWidget *window, char32_t character) override
    {
        waitUntilActive(window);
        m_input.typeCharacter(character);
    }

    void pressKey(QWidget *window, const KeyCombination &key) override
    {
        waitUntilActive(window);
        unsigned modifiers = modifiersOf(key.modifiers);
        if (key.key == Qt::Key_Backtab) modifiers |= X11Input::Shift;
        if (const std::uint32_t keysym = keysymOf(key)) m_input.key(keysym, modifiers);
    }

    void chooseMenuItem(QMainWindow *window, QAction *item) override
    {
        activate(window);
        QMenu *menu = nullptr;
        for (QObject *holder : item->associatedObjects()) {
            if (auto *candidate = qobject_cast<QMenu *>(holder)) menu = candidate;
        }
        if (!menu) throw ScriptError("the menu item is in no menu");
        // The menu's title in the menu bar, then the item in the menu that drops down.
        QMenuBar *bar = window->menuBar();
        m_input.click(onScreen(bar, bar->actionGeometry(menu->menuAction()).center()));
        settle();
        waitFor([menu] { return menu->isVisible(); });
        m_input.click(onScreen(menu, menu->actionGeometry(item).center()));
    }

    void activate(QWidget *window) override
    {
        if (isActive(window)) return;
        m_input.requestActivation(window->winId());
        settle();
        waitUntilActive(window);
    }

    void close(QWidget *window) override
    {
        QPointer<QWidget> closing = window;
        m_input.requestClose(window->winId());
        waitFor([&closing] { return !closing || !closing->isVisible(); });
    }

    void settle() override
    {
        // Everything sent so far has reached the program once the marker has.
        const long serial = ++m_serial;
        m_input.sendMarker(m_markerWindow.winId(), m_atom, serial);
        waitFor([this, serial] { return m_markers.seen() >= serial; });
        // Then what those events caused: repaints, closing windows, windows activated.
        int quiet = 0;
        QElapsedTimer clock;
        clock.start();
        while (quiet < 5 && clock.elapsed() < kPatience) {
            QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
            if (dispatcher && dispatcher->processEvents(QEventLoop::AllEvents)) {
                quiet = 0;
            } else {
                ++quiet;
                QThread::msleep(3);
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // A message box that just closed hands the activation back through the window manager.
        const QWidgetList windows = QApplication::topLevelWidgets();
        const bool open = std::any_of(windows.cbegin(), windows.cend(),
            [](const QWidget *window) { return window->isVisible(); });
        if (open && !QApplication::activeWindow())
            waitFor([] { return QApplication::activeWindow(); }, 3000);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (!dialog || !dialog->isWindow()) return false;
        if (event->type() == QEvent::Show && !dialog->property(kAnswered).toBool()) {
            // A window manager gives a new dialog the focus; should it not, ask it to.
            QPointer<QDialog> shown = dialog;
            QTimer::singleShot(1500, dialog, [this, shown] {
                if (shown && shown->isVisible() && !shown->property(kAnswered).toBool())
                    m_input.requestActivation(shown->winId());
            });
        } else if (event->type() == QEvent::WindowActivate
            && !dialog->property(kAnswered).toBool()) {
            dialog->setProperty(kAnswered, true);
            answerOnceFocused(dialog);
        }
        return false;
    }

private:
    static constexpr const char *kAnswered = "kestruneScriptAnswered";
    static constexpr const char *kRecorded = "kestruneScriptRecorded";

    // The toolkit may count a dialog as active before the window manager has given it the
    // keyboard; keys sent before then would reach the window underneath. So the answer waits
    // until the X server's focus is on the dialog, as a user waits for the box to come up.
    void answerOnceFocused(QDialog *dialog)
    {
        QPointer<QDialog> waiting = dialog;
        auto *poll = new QTimer(this);
        auto started = std::make_shared<QElapsedTimer>();
        started->start();
        auto asked = std::make_shared<bool>(false);
        connect(poll, &QTimer::timeout, this, [this, waiting, poll, started, asked] {
            if (!waiting || !waiting->isVisible()) {
                poll->deleteLater();
                return;
            }
            if (m_input.focusWindow() == waiting->winId() && isSettled(waiting)) {
                poll->deleteLater();
                answer(waiting);
                return;
            }
            if (!*asked && started->elapsed() > 1000) {
                *asked = true;
                m_input.requestActivation(waiting->winId());
            }
        });
        poll->start(5);
    }

    void answer(QDialog *dialog)
    {
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            m_record(QStringLiteral("message %1 %2 %3")
                         .arg(QString::number(styleOf(box->icon())), quoted(box->windowTitle()),
                             quoted(box->text())));
            m_input.key(XK_Return);
        } else if (auto *prompt = qobject_cast<QInputDialog *>(dialog)) {
            answerPrompt(prompt);
        } else if (auto *print = qobject_cast<QPrintDialog *>(dialog)) {
            answerPrintDialog(print);
        } else {
            std::fprintf(stderr, "kestrune-script: an unexpected dialog \"%s\" was closed\n",
                qPrintable(dialog->windowTitle()));
            m_input.key(XK_Escape);
        }
    }

    void answerPrompt(QInputDialog *prompt)
    {
        connect(prompt, &QDialog::finished, this, [this, prompt](int result) {
            m_record(QStringLiteral("prompt %1 %2 -> %3")
                         .arg(quoted(prompt->windowTitle()), quoted(prompt->labelText()),
                             result == QDialog::Accepted ? quoted(prompt->textValue())
                                                         : QStringLiteral("cancel")));
        });
        std::optional<QString> text;
        if (!m_answers.empty()) {
            text = m_answers.front();
            m_answers.pop_front();
        }
        if (!text) {
            m_input.key(XK_Escape);
            return;
        }
        for (const char32_t character : text->toUcs4())
            m_input.typeCharacter(character);
        m_input.key(XK_Return);
    }

    void answerPrintDialog(QPrintDialog *print)
    {
        if (!print->property(kRecorded).toBool()) {
            print->setProperty(kRecorded, true);
            connect(print, &QDialog::finished, this, [this](int result) {
                m_record(result == QDialog::Accepted ? QStringLiteral("printdialog -> pdf")
                                                     : QStringLiteral("printdialog -> cancel"));
            });
        }
        using Answer = RecordingServices::PrintAnswer;
        const auto [answer, file] = m_printAnswers.empty() ? std::pair { Answer::Cancel, QString() }
                                                           : m_printAnswers.front();
        if (!m_printAnswers.empty()) m_printAnswers.pop_front();
        const QString path = file;
        auto *fileName = print->findChild<QLineEdit *>(QStringLiteral("filename"));
        if (answer != Answer::Pdf || !fileName || !fileName->isEnabled()) {
            if (answer == Answer::Pdf)
                std::fputs("kestrune-script: the print dialog offers no PDF file\n", stderr);
            m_input.key(XK_Escape);
            return;
        }
        // The file name box of the dialog: click into it, and once it has the focus, select its
        // text and type the file. A dialog that has only just come up may not take the first
        // click yet: it is clicked again until the box has the focus.
        QPointer<QLineEdit> box = fileName;
        auto *poll = new QTimer(this);
        auto sinceClick = std::make_shared<QElapsedTimer>();
        connect(poll, &QTimer::timeout, this, [this, box, poll, sinceClick, path] {
            if (!box || !box->isVisible()) {
                poll->deleteLater();
                return;
            }
            if (box->hasFocus()) {
                poll->deleteLater();
                m_input.key(XK_a, X11Input::Control);
                for (const char32_t character : path.toUcs4())
                    m_input.typeCharacter(character);
                m_input.key(XK_Return);
                // Should the dialog stay (it asks first whether to replace a file of that
                // name, and the question is answered No), it is answered again when it comes
                // back: with Cancel, unless the script queued another answer.
                box->window()->setProperty(kAnswered, false);
                return;
            }
            if (!sinceClick->isValid() || sinceClick->elapsed() > 500) {
                m_input.click(onScreen(box, box->rect().center()));
                sinceClick->start();
            }
        });
        poll->start(10);
    }

    // Where `at` in `widget` lies on the X screen, in the screen's pixels. The window's place is
    // asked of the X server: the window manager may have just moved a new window, and the
    // program learns of that only a little later.
    QPoint onScreen(QWidget *widget, QPoint at)
    {
        QWidget *window = widget->window();
        const QWindow *handle = window->windowHandle();
        const qreal ratio = handle ? handle->devicePixelRatio() : 1.0;
        const QPoint inWindow = widget->mapTo(window, at);
        return m_input.origin(window->winId())
            + QPoint(qRound(inWindow.x() * ratio), qRound(inWindow.y() * ratio));
    }

    // Ready for the user's input: active for the program, holding the X server's keyboard focus,
    // shown on the screen, and where the program believes it is (a window just opened is placed
    // by the window manager a moment later; a click sent before then could miss).
    bool isActive(QWidget *window)
    {
        return QApplication::activeWindow() == window && isSettled(window)
            && m_input.focusWindow() == window->winId();
    }

    bool isSettled(QWidget *window)
    {
        const QWindow *handle = window->windowHandle();
        return handle && handle->isExposed()
            && onScreen(window, QPoint(0, 0))
            == screenPixels(window->mapToGlobal(QPoint(0, 0)), window);
    }

    static QPoint screenPixels(QPoint global, QWidget *window)
    {
        const QWindow *handle = window->windowHandle();
        const qreal ratio = handle ? handle->devicePixelRatio() : 1.0;
        return QPoint(qRound(global.x() * ratio), qRound(global.y() * ratio));
    }

    void waitUntilActive(QWidget *window)
    {
        if (isActive(window)) return;
        // Handed back by the window manager after a message box, or asked for.
        if (waitFor([this, window] { return isActive(window); }, 1500)) return;
        m_input.requestActivation(window->winId());
        if (waitFor([this, window] { return isActive(window); }, 3000)) return;
        // As the user would: a click on the window's title bar.
        const QRect frame = window->frameGeometry();
        const int titleBar = window->geometry().top() - frame.top();
        if (titleBar > 2) {
            m_input.click(
                screenPixels(QPoint(frame.center().x(), frame.top() + titleBar / 2), window));
            settle();
        }
        if (!waitFor([this, window] { return isActive(window); })) {
            const QPoint x = onScreen(window, QPoint(0, 0));
            const QPoint qt = screenPixels(window->mapToGlobal(QPoint(0, 0)), window);
            throw ScriptError(
                QStringLiteral("the window \"%1\" was not made ready for input: active "
                               "%2, keyboard focus on X window %3 (the window is %4), "
                               "exposed %5, at %6,%7 on the screen and %8,%9 for Qt")
                    .arg(window->objectName())
                    .arg(QApplication::activeWindow() == window ? "yes" : "no")
                    .arg(m_input.focusWindow(), 0, 16)
                    .arg(window->winId(), 0, 16)
                    .arg(window->windowHandle() && window->windowHandle()->isExposed() ? "yes"
                                                                                       : "no")
                    .arg(x.x())
                    .arg(x.y())
                    .arg(qt.x())
                    .arg(qt.y())
                    .toStdString());
        }
    }

    template <typename Condition> bool waitFor(Condition done, int patience = kPatience)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > patience) return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (!done()) QThread::msleep(2);
        }
        return true;
    }

    std::function<void(const QString &)> m_record;
    X11Input m_input;
    unsigned long m_atom = m_input.isOpen() ? m_input.atom("_KESTRUNE_SCRIPT_MARKER") : 0;
    MarkerFilter m_markers;
    QWindow m_markerWindow;
    long m_serial = 0;
    DesktopServices m_services;
    std::deque<std::optional<QString>> m_answers;
    std::deque<std::pair<RecordingServices::PrintAnswer, QString>> m_printAnswers;
};

} // namespace

std::unique_ptr<UserActions> makeDesktopActions(
    std::function<void(const QString &)> record, QString *why)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        if (why) *why = QStringLiteral("the program does not run on an X display");
        return nullptr;
    }
    auto actions = std::make_unique<DesktopActions>(std::move(record));
    if (!actions->ready()) {
        if (why) *why = QStringLiteral("the X server offers no XTEST input");
        return nullptr;
    }
    return actions;
}

} // namespace kestrune
