// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A print queue of the system's print service, as the print dialog chooses one for a page. It is
// asked whether it takes jobs before the page is drawn, and heard on whether it took the page once
// the page was handed over, so that a queue that refuses the page says so instead of leaving the
// user to wait for it. On Linux and other Unix desktops the print service is CUPS (printqueue.cpp);
// where Kestrune is built without CUPS, a queue raises no objection and the printer's own failures
// are all the program learns. On Windows it is the print spooler (printqueue_win.cpp).

#include <QString>

#include <functional>
#include <optional>

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

    // Runs `handOver`, which hands the finished page to the print service in this thread (the
    // toolkit's print engine does so when the painter ends), and gives the print service's reason
    // where it refused the job.
    std::optional<QString> refusalOfJob(const std::function<void()> &handOver) const;

private:
    QString m_printerName;
};

} // namespace kestrune
