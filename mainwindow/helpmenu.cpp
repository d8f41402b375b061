// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/helpmenu.h"

#include "core/appinfo.h"
#include "platform/qttext.h"
#include "platform/services.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QUrl>

namespace kestrune {

namespace {

const QString kGuideFile = QStringLiteral("user-guide.html");
const QString kGuideTitle = QStringLiteral("User Guide");

// The folders where the user guide is looked for, in order: on Windows the doc folder beside the
// program (installed, or unpacked from the zip file); the documentation folder beside the program
// (the installed program's share/doc/kestrune, and in a build tree the copy the build made there);
// on Unix then the documentation folder of the prefix the program was built for.
QStringList userGuideFolders()
{
    QStringList folders;
#ifdef Q_OS_WIN
    folders << QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/doc"));
#endif
    folders << QDir::cleanPath(
        QCoreApplication::applicationDirPath() + QString::fromUtf8("/../" KESTRUNE_DOCDIR));
#ifndef Q_OS_WIN
    const QString installed
        = QDir::cleanPath(QString::fromUtf8(KESTRUNE_INSTALL_PREFIX "/" KESTRUNE_DOCDIR));
    if (!folders.contains(installed)) folders << installed;
#endif
    return folders;
}

// The user guide's page in the first of `folders` that holds it; empty when none does.
QString findUserGuide(const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QFileInfo page(QDir(folder), kGuideFile);
        if (page.isFile() && page.isReadable()) return page.absoluteFilePath();
    }
    return {};
}

// Shows the user guide in the program's help window, or tells the user why it cannot.
void showUserGuide(QWidget *owner, Services &services)
{
    const QStringList folders = userGuideFolders();
    const QString page = findUserGuide(folders);
    if (page.isEmpty()) {
        services.showMessage(owner,
            QStringLiteral("The user guide is not installed: %1 was not found in %2.")
                .arg(kGuideFile, QDir::toNativeSeparators(folders.join(QStringLiteral(" or ")))),
            MessageStyle::Stop, kGuideTitle);
        return;
    }
    services.showUserGuide(owner, QUrl::fromLocalFile(page));
}

QString aboutText()
{
    return QStringLiteral("Kestrune %1\n\n"
                          "Rated-load calculator for escalator designers and inspectors.\n\n"
                          "Licence: GNU General Public License, version 3 or later. Kestrune "
                          "comes with no warranty.\n\n"
                          "Web: https://%2/\n\n"
                          "Qt %3")
        .arg(QStringLiteral(KESTRUNE_VERSION), fromUtf8(kWebAddress),
            QString::fromLatin1(qVersion()));
}

} // namespace

void addHelpItems(QMenu *menu, QWidget *owner, Services &services)
{
    menu->addSeparator();
    QAction *guide = menu->addAction(QStringLiteral("&User Guide"));
    guide->setObjectName(QStringLiteral("mnuGuide"));
    guide->setShortcut(QKeySequence(Qt::Key_F1));
    // F1 asks for help wherever the user is, the triangle window included.
    guide->setShortcutContext(Qt::ApplicationShortcut);
    QObject::connect(
        guide, &QAction::triggered, owner, [owner, &services] { showUserGuide(owner, services); });

    QAction *about = menu->addAction(QStringLiteral("&About Kestrune"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    about->setMenuRole(QAction::AboutRole);
    QObject::connect(about, &QAction::triggered, owner, [owner, &services] {
        services.showAbout(owner, QStringLiteral("About Kestrune"), aboutText());
    });
}

} // namespace kestrune
