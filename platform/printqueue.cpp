// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/printqueue.h"

#ifdef KESTRUNE_HAVE_CUPS
#include <cups/cups.h>
#endif

#include <iterator>
#include <utility>

namespace kestrune {

PrintQueue::PrintQueue(QString printerName) : m_printerName(std::move(printerName)) { }

#ifdef KESTRUNE_HAVE_CUPS

namespace {

// A sentence for the user: `text`, then CUPS's `detail` after a colon where there is one, closed
// by exactly one full stop (CUPS's messages come with one or without).
QString sentence(QString text, const QString &detail = {})
{
    if (!detail.isEmpty()) text += QStringLiteral(": ") + detail;
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text + QLatin1Char('.');
}

// What CUPS answered to the last request this thread made. The toolkit's print engine submits the
// page with cupsPrintFile() and drops the answer; CUPS keeps it for the thread until its next
// request.
struct Answer {
    ipp_status_t status = IPP_STATUS_OK;
    QString text;

    bool refused() const { return status > IPP_STATUS_OK_CONFLICTING; }
    bool operator==(const Answer &) const = default;
};

Answer lastAnswer()
{
    return { cupsLastError(), QString::fromUtf8(cupsLastErrorString()).trimmed() };
}

} // namespace

std::optional<QString> PrintQueue::refusal() const
{
    // The queue as CUPS names it; the instance only sets the job's options.
    const QByteArray queue = m_printerName.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QString printer = QStringLiteral("The printer \"%1\"").arg(m_printerName);

    // The print server's own queues (every printer set up on this computer or shared by its print
    // server): whether the queue accepts jobs, and the reason its administrator gave when not.
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
        "/printers/%s", queue.constData());
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char *const wanted[] = { "printer-is-accepting-jobs", "printer-state-message" };
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
        static_cast<int>(std::size(wanted)), nullptr, wanted);
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    const Answer answer = lastAnswer();
    std::optional<QString> why;
    if (!answer.refused()) {
        ipp_attribute_t *accepting
            = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
        ipp_attribute_t *message
            = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT);
        if (accepting && !ippGetBoolean(accepting, 0))
            why = sentence(printer + QStringLiteral(" does not accept jobs"),
                message ? QString::fromUtf8(ippGetString(message, 0, nullptr)).trimmed()
                        : QString());
    } else if (answer.status == IPP_STATUS_ERROR_NOT_FOUND) {
        // A printer found on the network, which CUPS sets up when the first job comes, is not yet
        // a queue of the server; the print dialog offers it all the same.
        cups_dest_t *found = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
        if (found)
            cupsFreeDests(1, found);
        else
            why = sentence(printer + QStringLiteral(" does not exist any more"));
    } else if (answer.status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
        why = sentence(printer + QStringLiteral(" could not be reached"),
            QStringLiteral("the print service does not answer"));
    } else {
        why = sentence(printer + QStringLiteral(" could not be reached"), answer.text);
    }
    ippDelete(response);
    return why;
}

std::optional<QString> PrintQueue::refusalOfJob(const std::function<void()> &handOver) const
{
    // The answer left by the last request before the page goes: the success of refusal() before
    // drawing, for a queue of the server. Should it be a refusal (for a network printer CUPS sets
    // up only with its first job, the server's "not found"), the very same answer afterwards is
    // still that one, and not taken for the job's.
    const Answer before = lastAnswer();
    handOver();
    const Answer after = lastAnswer();
    if (!after.refused() || after == before) return std::nullopt;
    return sentence(
        QStringLiteral("The printer \"%1\" refused the job").arg(m_printerName), after.text);
}

#else

std::optional<QString> PrintQueue::refusal() const
{
    return std::nullopt;
}

std::optional<QString> PrintQueue::refusalOfJob(const std::function<void()> &handOver) const
{
    handOver();
    return std::nullopt;
}

#endif

} // namespace kestrune
