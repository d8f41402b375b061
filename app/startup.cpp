// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "platform/controls.h"
#include "printing/page.h"

#include <QByteArray>
#include <QList>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace kestrune {

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// The guard's state: a message handler is a plain function, so it lives here.
struct StartupState {
    bool active = false;
    QString failureText;
    QtMessageHandler previous = nullptr;
    QList<HeldMessage> held;
};
StartupState &state()
{
    static StartupState instance;
    return instance;
}

void handleStartupMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    StartupState &s = state();
    if (!s.active) {
        s.previous(type, context, text);
        return;
    }
    if (type == QtFatalMsg) {
        // Qt would abort right after this handler returns: end the process here instead, without
        // running the destructors of a half-made application.
        std::fprintf(stderr, "%s\n", qPrintable(s.failureText));
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(ExitCannotStart);
    }
    s.held.append({ type, QByteArray(context.category ? context.category : ""), text });
}

} // namespace

StartupGuard::StartupGuard(const CommandLine &commandLine)
{
    StartupState &s = state();
    s.failureText = displayFailureText(commandLine,
        { qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"),
            qEnvironmentVariable("QT_QPA_PLATFORM") });
    s.active = true;
    s.previous = qInstallMessageHandler(handleStartupMessage);
}

StartupGuard::~StartupGuard()
{
    started();
}

void StartupGuard::started()
{
    StartupState &s = state();
    if (!s.active) return;
    s.active = false;
    qInstallMessageHandler(s.previous);
    const QList<HeldMessage> held = std::exchange(s.held, {});
    for (const HeldMessage &message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

bool hasUsableFont()
{
    return CanDrawText(windowFont());
}

} // namespace kestrune
