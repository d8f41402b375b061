// SPDX-License-Identifier: GPL-3.0-or-later
// On a real X display the program shows its real message boxes, prompt and print dialog: each is
// read back from the dialog for the transcript and answered with real key presses, as the script
// queued the answers.

#include "tools/desktopactions.h"

#include "tools/session.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QTimer>

#include <X11/keysym.h>

#include <cstdio>
#include <memory>

namespace kestrune {

namespace {

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

} // namespace

void DesktopActions::queuePrintAnswer(RecordingServices::PrintAnswer answer, const QString &file)
{
    using Answer = RecordingServices::PrintAnswer;
    if (answer == Answer::Ok || answer == Answer::Fail || answer == Answer::Queue)
        throw ScriptError("printer ok, fail and queue need the recording print dialog; on a "
                          "real display use printer pdf FILE or printer cancel");
    m_printAnswers.emplace_back(answer, file);
}

void DesktopActions::failNextBrowser()
{
    throw ScriptError("browser fail cannot be given on a real display: it has its own browser");
}

bool DesktopActions::eventFilter(QObject *watched, QEvent *event)
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
    } else if (event->type() == QEvent::WindowActivate && !dialog->property(kAnswered).toBool()) {
        dialog->setProperty(kAnswered, true);
        answerOnceFocused(dialog);
    }
    return false;
}

// The toolkit may count a dialog as active before the window manager has given it the
// keyboard; keys sent before then would reach the window underneath. So the answer waits
// until the X server's focus is on the dialog, as a user waits for the box to come up.
void DesktopActions::answerOnceFocused(QDialog *dialog)
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

void DesktopActions::answer(QDialog *dialog)
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

void DesktopActions::answerPrompt(QInputDialog *prompt)
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

void DesktopActions::answerPrintDialog(QPrintDialog *print)
{
    if (!print->property(kRecorded).toBool()) {
        print->setProperty(kRecorded, true);
        connect(print, &QDialog::finished, this, [this](int result) {
            m_record(result == QDialog::Accepted ? QStringLiteral("printdialog -> pdf")
                                                 : QStringLiteral("printdialog -> cancel"));
        });
    }
    using Answer = RecordingServices::PrintAnswer;
    const auto [answer, file]
        = m_printAnswers.empty() ? std::pair { Answer::Cancel, QString() } : m_printAnswers.front();
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

} // namespace kestrune
