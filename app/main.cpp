// SPDX-License-Identifier: GPL-3.0-or-later
// Kestrune: reads the command line, opens the main window and runs until the last window closes.

#include "app/commandline.h"
#include "app/platformtexts.h"
#include "app/startup.h"
#include "mainwindow/mainwindow.h"
#include "platform/console.h"
#include "platform/firstpaint.h"
#include "platform/qtservices.h"

#include <QApplication>
#include <QIcon>
#include <QIconEngine>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The application's icon in all the sizes the launcher installs, read from the program's resources
// only when something asks for one of its images. Adding the files to a QIcon straight away would
// decode all seven PNGs before the window opens, on every start, even where no title bar shows
// them (Wayland takes the launcher's icon through the desktop file name).
class ApplicationIcon : public QIconEngine {
public:
    QIconEngine *clone() const override { return new ApplicationIcon; }
    QString key() const override { return QStringLiteral("KestruneApplicationIcon"); }
    bool isNull() override { return false; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : kSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(
        const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

private:
    static constexpr int kSizes[] = { 16, 24, 32, 48, 64, 128, 256 };

    QIcon &icon()
    {
        if (m_icon.isNull()) {
            for (int size : kSizes)
                m_icon.addFile(QStringLiteral(":/icons/%1x%1/org.kestrune.Kestrune.png").arg(size));
        }
        return m_icon;
    }

    QIcon m_icon;
};

} // namespace

int main(int argc, char *argv[])
{
    const kestrune::Utf8Arguments utf8(argc, argv);
    QStringList arguments;
    for (const std::string &word : utf8.words())
        arguments << QString::fromStdString(word);
    const kestrune::CommandLine commandLine = kestrune::parseCommandLine(arguments);
    if (commandLine.action != kestrune::CommandLine::Action::Run)
        kestrune::showOutputInParentConsole();
    switch (commandLine.action) {
    case kestrune::CommandLine::Action::ShowHelp:
        std::fputs(qPrintable(kestrune::helpText()), stdout);
        return kestrune::ExitOk;
    case kestrune::CommandLine::Action::ShowVersion:
        std::fputs(qPrintable(kestrune::versionText()), stdout);
        return kestrune::ExitOk;
    case kestrune::CommandLine::Action::UsageError:
        std::fprintf(stderr, "kestrune: %s\nTry 'kestrune --help' for more information.\n",
            qPrintable(commandLine.error));
        return kestrune::ExitUsage;
    case kestrune::CommandLine::Action::Run:
        break;
    }

    // QApplication keeps pointers into these words: they live as long as main().
    QByteArrayList words;
    std::vector<char *> qtArgv;
    for (const QString &argument : commandLine.arguments)
        words << argument.toLocal8Bit();
    for (QByteArray &word : words)
        qtArgv.push_back(word.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(words.size());

    kestrune::StartupGuard guard(commandLine);
    QApplication app(qtArgc, qtArgv.data());
    guard.started();
    QApplication::setApplicationName(QStringLiteral("Kestrune"));
    QApplication::setApplicationVersion(QStringLiteral(KESTRUNE_VERSION));
    // Ties the windows to the installed launcher, whose icon and name the desktop then shows.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kestrune.Kestrune"));
    if (!kestrune::hasUsableFont()) {
        kestrune::showOutputInParentConsole();
        std::fprintf(stderr, "kestrune: no font is installed to show the windows' text; %s\n",
            qPrintable(kestrune::fontInstallHint()));
        return kestrune::ExitCannotStart;
    }

    // Both windows take the application's icon, in whichever size the title bar or task bar asks.
    QApplication::setWindowIcon(QIcon(new ApplicationIcon));

    kestrune::QtServices services;
    auto *window = new kestrune::MainWindow(services);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    kestrune::quitAfterFirstPaintWhenAsked(window);
    return app.exec();
}
