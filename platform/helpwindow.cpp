// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/helpwindow.h"

#include "core/messages.h"
#include "platform/services.h"

#include <QAction>
#include <QDir>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrune {

namespace {

const QString kContents = QStringLiteral("contents");

} // namespace

HelpWindow::HelpWindow(Services &services, const QUrl &page)
    : m_services(services),
      m_browser(new QTextBrowser),
      m_findBar(new QWidget),
      m_findText(new QLineEdit),
      m_findStatus(new QLabel)
{
    setObjectName(QStringLiteral("frmGuide"));
    setWindowTitle(QStringLiteral("Kestrune User Guide"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The guide alone does not keep the program running once its calculator windows are closed.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_browser->setObjectName(QStringLiteral("guidePage"));
    m_browser->setAccessibleName(QStringLiteral("User guide"));
    m_browser->setOpenLinks(false);
    // The guide's page is written black on white.
    QPalette colours = m_browser->palette();
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive }) {
        colours.setColor(group, QPalette::Base, Qt::white);
        colours.setColor(group, QPalette::Text, Qt::black);
        colours.setColor(group, QPalette::Link, QColor(0, 0, 238));
        colours.setColor(group, QPalette::LinkVisited, QColor(85, 26, 139));
        colours.setColor(group, QPalette::Highlight, QColor(48, 140, 198));
        colours.setColor(group, QPalette::HighlightedText, Qt::white);
    }
    m_browser->setPalette(colours);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::openLink);

    QToolBar *tools = addToolBar(QStringLiteral("Guide"));
    tools->setObjectName(QStringLiteral("guideTools"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto action = [tools](const char *caption, const char *name, const QKeySequence &key) {
        QAction *added = tools->addAction(QString::fromLatin1(caption));
        added->setObjectName(QString::fromLatin1(name));
        added->setShortcut(key);
        return added;
    };
    QAction *contents = action("&Contents", "guideContents", QKeySequence(Qt::ALT | Qt::Key_Home));
    connect(contents, &QAction::triggered, this, [this] {
        m_browser->setSource(m_browser->source().adjusted(QUrl::RemoveFragment));
        m_browser->scrollToAnchor(kContents);
    });
    QAction *back = action("&Back", "guideBack", QKeySequence::Back);
    back->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction *forward = action("&Forward", "guideForward", QKeySequence::Forward);
    forward->setEnabled(false);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(action("&Find...", "guideFind", QKeySequence::Find), &QAction::triggered, this,
        &HelpWindow::showFindBar);
    tools->addSeparator();
    connect(action("Open in &Web Browser", "guideInBrowser", QKeySequence()), &QAction::triggered,
        this, &HelpWindow::openInBrowser);

    // The find bar below the page, hidden until Ctrl+F.
    m_findBar->setObjectName(QStringLiteral("guideFindBar"));
    auto *findRow = new QHBoxLayout(m_findBar);
    findRow->setContentsMargins(4, 2, 4, 2);
    auto *findLabel = new QLabel(QStringLiteral("Fi&nd:"));
    findLabel->setBuddy(m_findText);
    m_findText->setObjectName(QStringLiteral("guideFindText"));
    m_findText->setClearButtonEnabled(true);
    auto *next = new QToolButton;
    next->setText(QStringLiteral("Next"));
    auto *previous = new QToolButton;
    previous->setText(QStringLiteral("Previous"));
    auto *close = new QToolButton;
    close->setText(QStringLiteral("Close"));
    findRow->addWidget(findLabel);
    findRow->addWidget(m_findText, 1);
    findRow->addWidget(previous);
    findRow->addWidget(next);
    findRow->addWidget(m_findStatus);
    findRow->addWidget(close);
    m_findBar->hide();
    connect(m_findText, &QLineEdit::returnPressed, this, [this] { find(m_findText->text()); });
    connect(m_findText, &QLineEdit::textEdited, this, [this](const QString &text) {
        // Search as the user types, from the start of the current find.
        QTextCursor cursor = m_browser->textCursor();
        cursor.setPosition(cursor.selectionStart());
        m_browser->setTextCursor(cursor);
        find(text);
    });
    connect(next, &QToolButton::clicked, this, [this] { find(m_findText->text()); });
    connect(previous, &QToolButton::clicked, this, [this] { find(m_findText->text(), true); });
    connect(close, &QToolButton::clicked, m_findBar, &QWidget::hide);
    auto *findNext = new QAction(this);
    findNext->setShortcuts(QKeySequence::FindNext);
    connect(findNext, &QAction::triggered, this, [this] { find(m_findText->text()); });
    auto *findPrevious = new QAction(this);
    findPrevious->setShortcuts(QKeySequence::FindPrevious);
    connect(findPrevious, &QAction::triggered, this, [this] { find(m_findText->text(), true); });
    auto *hideFind = new QAction(m_findBar);
    hideFind->setShortcut(QKeySequence(Qt::Key_Escape));
    hideFind->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(hideFind, &QAction::triggered, this, [this] {
        m_findBar->hide();
        m_browser->setFocus();
    });
    addActions({ findNext, findPrevious });
    m_findBar->addAction(hideFind);

    auto *central = new QWidget;
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_browser, 1);
    column->addWidget(m_findBar);
    setCentralWidget(central);

    // A page of the guide's width, as tall as the screen allows.
    resize(760, 640);
    if (const QScreen *screen = this->screen()) {
        const QRect free = screen->availableGeometry();
        resize(std::min(760, free.width() - 40), std::min(720, free.height() - 80));
    }
    showPage(page);
}

void HelpWindow::showPage(const QUrl &page)
{
    if (m_browser->source().adjusted(QUrl::RemoveFragment) != page.adjusted(QUrl::RemoveFragment)
        || page.hasFragment())
        m_browser->setSource(page);
    show();
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
}

bool HelpWindow::find(const QString &text, bool backward)
{
    if (text.isEmpty()) {
        m_findStatus->clear();
        return false;
    }
    const QTextDocument::FindFlags flags
        = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = m_browser->find(text, flags);
    if (!found) {
        // Once more from the other end of the guide.
        QTextCursor cursor = m_browser->textCursor();
        cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        m_browser->setTextCursor(cursor);
        found = m_browser->find(text, flags);
    }
    m_findStatus->setText(found ? QString() : QStringLiteral("Not found"));
    return found;
}

void HelpWindow::openLink(const QUrl &link)
{
    // The guide's own pages and places stay here; the web goes to the browser.
    if (link.isRelative() || link.isLocalFile()) {
        m_browser->setSource(link);
        return;
    }
    if (!m_services.openInBrowser(link)) {
        m_services.showMessage(this,
            QStringLiteral("No web browser could be started to show %1.").arg(link.toString()),
            MessageStyle::Stop, windowTitle());
    }
}

void HelpWindow::openInBrowser()
{
    const QUrl page = m_browser->source();
    if (!m_services.openInBrowser(page)) {
        m_services.showMessage(this,
            QStringLiteral("No web browser could be started to show the user guide. You can open "
                           "the file %1 in a browser yourself.")
                .arg(QDir::toNativeSeparators(page.adjusted(QUrl::RemoveFragment).toLocalFile())),
            MessageStyle::Stop, windowTitle());
    }
}

void HelpWindow::showFindBar()
{
    m_findBar->show();
    m_findText->setFocus(Qt::ShortcutFocusReason);
    m_findText->selectAll();
}

} // namespace kestrune
