// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A print queue of the system's print service, as the print dialog chooses one for a page. It is
// asked whether it takes jobs before the page is drawn; where the program hands it the page itself
// (CUPS), it answers the job's submission, so that a queue that refuses the page says so instead
// of leaving the user to wait for it. On Linux and other Unix desktops the print service is CUPS
// (printqueue.cpp); where Kestrune is built without CUPS, a queue raises no objection and the
// toolkit's engine sends the page. On Windows it is the print spooler (printqueue_win.cpp), and
// the toolkit's engine sends the page.

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace kestrune {

class PrintQueue {
public:
    // `printerName` as the print dialog names the printer: the queue, and an instance of it after
    // a "/" where the user has set some up.
    explicit PrintQueue(QString printerName);

    // Asks the print service whether the queue takes a job now. Gives the reason, as a sentence for
    // the user, where it does not: the queue refuses jobs, it no longer exists, or the print
    // service cannot be reached.
    std::optional<QString> refusal() const;

    // Whether submit() can hand the queue a PDF document.
    bool takesDocuments() const;

    // The job's options by their print service's names ("copies", "sides").
    using Options = std::vector<std::pair<QByteArray, QByteArray>>;

    // Sends the PDF document `pdf` as one job named `title`; the print service's reason, as a
    // sentence for the user, where it refused the job.
    std::optional<QString> submit(
        const QByteArray &pdf, const QString &title, const Options &options) const;

private:
    QString m_printerName;
};

} // namespace kestrune
