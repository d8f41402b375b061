// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/headless.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QString>

#include <cstdio>

namespace kestrune {

namespace {

// The offscreen platform reports window-manager requests it cannot honour (raise, size
// hints); they say nothing about the program, so they are not passed on.
void filterPlatformNotices(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

void usePrivateRuntimeDirectory()
{
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::temp().filePath(QStringLiteral("kestrune-headless-runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(
            runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
}

} // namespace

void prepareHeadlessRun()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_WIN
    // The offscreen platform reads font files from one folder, on Windows by default Qt's own
    // (which has none): the system's, so that the windows are drawn in the faces a user sees.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
#endif
    usePrivateRuntimeDirectory();
    qInstallMessageHandler(filterPlatformNotices);
}

void prepareDesktopRun()
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    usePrivateRuntimeDirectory();
}

void configureHeadlessRun()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

} // namespace kestrune
