// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/printqueue.h"

#include "platform/qttext.h"

#ifdef KESTRUNE_HAVE_CUPS
#include <QLibrary>

#include <cups/cups.h>
#endif

#include <iterator>
#include <optional>
#include <type_traits>
#include <utility>

namespace kestrune {

PrintQueue::PrintQueue(QString printerName) : m_printerName(std::move(printerName)) { }

#ifdef KESTRUNE_HAVE_CUPS

namespace {

// The CUPS library, loaded at the first print rather than with the program: it brings some twenty
// libraries of its own (encryption, Kerberos, service discovery), which would slow every start and
// weigh on every window for the few sessions that print. The toolkit's print dialog loads the same
// library for its printers, so the answers CUPS keeps for a thread are shared with its print
// engine. Where it cannot be loaded, queues raise no objection, as in a build without CUPS.
struct Cups {
    decltype(&::cupsDoRequest) cupsDoRequest = nullptr;
    decltype(&::cupsFreeDests) cupsFreeDests = nullptr;
    decltype(&::cupsGetNamedDest) cupsGetNamedDest = nullptr;
    decltype(&::cupsLastError) cupsLastError = nullptr;
    decltype(&::cupsLastErrorString) cupsLastErrorString = nullptr;
    decltype(&::httpAssembleURIf) httpAssembleURIf = nullptr;
    decltype(&::ippAddString) ippAddString = nullptr;
    decltype(&::ippAddStrings) ippAddStrings = nullptr;
    decltype(&::ippDelete) ippDelete = nullptr;
    decltype(&::ippFindAttribute) ippFindAttribute = nullptr;
    decltype(&::ippGetBoolean) ippGetBoolean = nullptr;
    decltype(&::ippGetString) ippGetString = nullptr;
    decltype(&::ippNewRequest) ippNewRequest = nullptr;
    decltype(&::ippPort) ippPort = nullptr;

    // The library with every function found, or null. It stays loaded for the rest of the
    // session (a QLibrary unloads only on unload()).
    static const Cups *library()
    {
        static const std::optional<Cups> loaded = load();
        return loaded ? &*loaded : nullptr;
    }

private:
    static std::optional<Cups> load()
    {
        QLibrary library(QStringLiteral("cups"), 2);
        if (!library.load()) return std::nullopt;
        const auto resolve = [&library](const char *name, auto &function) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                library.resolve(name));
            return function != nullptr;
        };
        Cups cups;
        const bool complete = resolve("cupsDoRequest", cups.cupsDoRequest)
            && resolve("cupsFreeDests", cups.cupsFreeDests)
            && resolve("cupsGetNamedDest", cups.cupsGetNamedDest)
            && resolve("cupsLastError", cups.cupsLastError)
            && resolve("cupsLastErrorString", cups.cupsLastErrorString)
            && resolve("httpAssembleURIf", cups.httpAssembleURIf)
            && resolve("ippAddString", cups.ippAddString)
            && resolve("ippAddStrings", cups.ippAddStrings) && resolve("ippDelete", cups.ippDelete)
            && resolve("ippFindAttribute", cups.ippFindAttribute)
            && resolve("ippGetBoolean", cups.ippGetBoolean)
            && resolve("ippGetString", cups.ippGetString)
            && resolve("ippNewRequest", cups.ippNewRequest) && resolve("ippPort", cups.ippPort);
        return complete ? std::optional<Cups>(cups) : std::nullopt;
    }
};

// What CUPS answered to the last request this thread made. The toolkit's print engine submits the
// page with cupsPrintFile() and drops the answer; CUPS keeps it for the thread until its next
// request.
struct Answer {
    ipp_status_t status = IPP_STATUS_OK;
    QString text;

    bool refused() const { return status > IPP_STATUS_OK_CONFLICTING; }
    bool operator==(const Answer &) const = default;
};

Answer lastAnswer(const Cups &cups)
{
    return { cups.cupsLastError(), QString::fromUtf8(cups.cupsLastErrorString()).trimmed() };
}

} // namespace

std::optional<QString> PrintQueue::refusal() const
{
    const Cups *const library = Cups::library();
    if (!library) return std::nullopt;
    const Cups &cups = *library;

    // The queue as CUPS names it; the instance only sets the job's options.
    const QByteArray queue = m_printerName.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QString printer = QStringLiteral("The printer \"%1\"").arg(m_printerName);

    // The print server's own queues (every printer set up on this computer or shared by its print
    // server): whether the queue accepts jobs, and the reason its administrator gave when not.
    char uri[HTTP_MAX_URI];
    cups.httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost",
        cups.ippPort(), "/printers/%s", queue.constData());
    ipp_t *request = cups.ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char *const wanted[] = { "printer-is-accepting-jobs", "printer-state-message" };
    cups.ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
        static_cast<int>(std::size(wanted)), nullptr, wanted);
    ipp_t *response = cups.cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    const Answer answer = lastAnswer(cups);
    std::optional<QString> why;
    if (!answer.refused()) {
        ipp_attribute_t *accepting
            = cups.ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
        ipp_attribute_t *message
            = cups.ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT);
        if (accepting && !cups.ippGetBoolean(accepting, 0))
            why = sentence(printer + QStringLiteral(" does not accept jobs"),
                message ? QString::fromUtf8(cups.ippGetString(message, 0, nullptr)).trimmed()
                        : QString());
    } else if (answer.status == IPP_STATUS_ERROR_NOT_FOUND) {
        // A printer found on the network, which CUPS sets up when the first job comes, is not yet
        // a queue of the server; the print dialog offers it all the same.
        cups_dest_t *found = cups.cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
        if (found)
            cups.cupsFreeDests(1, found);
        else
            why = sentence(printer + QStringLiteral(" does not exist any more"));
    } else if (answer.status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
        why = sentence(printer + QStringLiteral(" could not be reached"),
            QStringLiteral("the print service does not answer"));
    } else {
        why = sentence(printer + QStringLiteral(" could not be reached"), answer.text);
    }
    cups.ippDelete(response);
    return why;
}

std::optional<QString> PrintQueue::refusalOfJob(const std::function<void()> &handOver) const
{
    const Cups *const library = Cups::library();
    if (!library) {
        handOver();
        return std::nullopt;
    }
    const Cups &cups = *library;

    // The answer left by the last request before the page goes: the success of refusal() before
    // drawing, for a queue of the server. Should it be a refusal (for a network printer CUPS sets
    // up only with its first job, the server's "not found"), the very same answer afterwards is
    // still that one, and not taken for the job's.
    const Answer before = lastAnswer(cups);
    handOver();
    const Answer after = lastAnswer(cups);
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
