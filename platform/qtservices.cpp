// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qtservices.h"

#include "platform/helpwindow.h"
#include "printing/qtprinter.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace kestrune {

namespace {

// A message box wraps a text wider than about 500 pixels. Kestrune's messages are single
// sentences; each is shown on one line, the box as wide as the sentence needs, as long as the box
// stays within the toolkit's widest message box for the screen; beyond that the text wraps.
void keepOnOneLine(QMessageBox &box, const QString &prompt)
{
    // The label that shows the text set on the box.
    QLabel *label = nullptr;
    for (QLabel *candidate : box.findChildren<QLabel *>()) {
        if (candidate->text() == prompt) label = candidate;
    }
    const QScreen *screen = box.screen();
    if (!label || !screen) return;
    const int screenWidth = screen->availableGeometry().width();
    // The widest box the toolkit allows: the screen itself on small screens.
    const int widest = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    // Room for the margins, the icon and the spacing beside the text, with some to spare.
    const QMargins margins = box.layout() ? box.layout()->contentsMargins() : QMargins();
    const int besideText = margins.left() + margins.right()
        + qRound(box.iconPixmap().deviceIndependentSize().width())
        + 4 * box.style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
    const int oneLine = QFontMetrics(label->font()).horizontalAdvance(prompt) + 2;
    label->setMinimumWidth(std::min(oneLine, widest - besideText));
}

} // namespace

void QtServices::showMessage(QWidget *owner, const QString &prompt, int style, const QString &title)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style) {
    case MessageStyle::Stop:
        icon = QMessageBox::Critical;
        break;
    case MessageStyle::Question:
        icon = QMessageBox::Question;
        break;
    case MessageStyle::Information:
        icon = QMessageBox::Information;
        break;
    default:
        break;
    }
    QMessageBox box(icon, title, prompt, QMessageBox::Ok, owner);
    keepOnOneLine(box, prompt);
    box.exec();
}

std::optional<QString> QtServices::askText(
    QWidget *owner, const QString &prompt, const QString &title)
{
    QInputDialog dialog(owner);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

std::unique_ptr<Printer> QtServices::choosePrinter(QWidget *owner)
{
    return ChoosePrinter(owner);
}

QDate QtServices::today()
{
    return QDate::currentDate();
}

void QtServices::showAbout(QWidget *owner, const QString &title, const QString &text)
{
    QMessageBox::about(owner, title, text);
}

bool QtServices::openInBrowser(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

QtServices::~QtServices()
{
    delete m_guide;
}

void QtServices::showUserGuide(QWidget *, const QUrl &page)
{
    // The guide is a window of its own beside the calculator, not owned by the window that asked.
    if (auto *guide = qobject_cast<HelpWindow *>(m_guide.data()))
        guide->showPage(page);
    else
        m_guide = new HelpWindow(*this, page);
}

void QtServices::copyToClipboard(const QString &text, const QString &html)
{
    auto *data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace kestrune
