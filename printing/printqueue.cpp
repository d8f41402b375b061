// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/printqueue.h"

#include "printing/printer.h"

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
// weigh on every window for the few sessions that print. Where it cannot be loaded, queues raise no
// objection and the toolkit's engine sends the page, as in a build without CUPS.
// clang-format off
#define KESTRUNE_CUPS_FUNCTIONS(F)                                                                 \
    F(cupsAddOption) F(cupsCancelJob2) F(cupsCreateJob) F(cupsDoRequest) F(cupsFinishDocument)    \
    F(cupsFreeDests) F(cupsFreeOptions) F(cupsGetNamedDest) F(cupsLastError)                      \
    F(cupsLastErrorString) F(cupsStartDocument) F(cupsWriteRequestData) F(httpAssembleURIf)       \
    F(ippAddString) F(ippAddStrings) F(ippDelete) F(ippFindAttribute) F(ippGetBoolean)            \
    F(ippGetString) F(ippNewRequest) F(ippPort)
// clang-format on

struct Cups {
// A member is named by the macro's argument, which cannot be put in parentheses.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define KESTRUNE_CUPS_POINTER(name) decltype(&::name) name = nullptr;
    KESTRUNE_CUPS_FUNCTIONS(KESTRUNE_CUPS_POINTER)

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
#define KESTRUNE_CUPS_RESOLVE(name) &&resolve(#name, cups.name)
        const bool complete = true KESTRUNE_CUPS_FUNCTIONS(KESTRUNE_CUPS_RESOLVE);
        return complete ? std::optional<Cups>(cups) : std::nullopt;
    }
};

// What CUPS answered to the request this program made last on this thread.
struct Answer {
    ipp_status_t status = IPP_STATUS_OK;
    QString text;

    bool refused() const { return status > IPP_STATUS_OK_CONFLICTING; }
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

bool PrintQueue::takesDocuments() const
{
    return Cups::library() != nullptr;
}

std::optional<QString> PrintQueue::submit(
    const QByteArray &pdf, const QString &title, const Options &options) const
{
    const Cups *const library = Cups::library();
    if (!library)
        return sentence(QStringLiteral("The printer \"%1\" takes no document").arg(m_printerName));
    const Cups &cups = *library;
    const QByteArray queue = m_printerName.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = m_printerName.section(QLatin1Char('/'), 1).toLocal8Bit();

    // The options the user keeps for this instance of the queue, then the print dialog's.
    int count = 0;
    cups_option_t *jobOptions = nullptr;
    if (!instance.isEmpty()) {
        if (cups_dest_t *dest
            = cups.cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), instance.constData())) {
            for (int i = 0; i < dest->num_options; ++i)
                count = cups.cupsAddOption(
                    dest->options[i].name, dest->options[i].value, count, &jobOptions);
            cups.cupsFreeDests(1, dest);
        }
    }
    for (const auto &[name, value] : options)
        count = cups.cupsAddOption(name.constData(), value.constData(), count, &jobOptions);

    // The job is made, its one document sent and closed; each step's answer is this call's own.
    const QByteArray name = title.toUtf8();
    const int job = cups.cupsCreateJob(
        CUPS_HTTP_DEFAULT, queue.constData(), name.constData(), count, jobOptions);
    cups.cupsFreeOptions(count, jobOptions);
    if (job <= 0) {
        return sentence(QStringLiteral("The printer \"%1\" refused the job").arg(m_printerName),
            lastAnswer(cups).text);
    }
    const bool sent = cups.cupsStartDocument(CUPS_HTTP_DEFAULT, queue.constData(), job,
                          name.constData(), CUPS_FORMAT_PDF, 1)
            == HTTP_STATUS_CONTINUE
        && cups.cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(), pdf.size())
            == HTTP_STATUS_CONTINUE;
    const ipp_status_t finished = cups.cupsFinishDocument(CUPS_HTTP_DEFAULT, queue.constData());
    if (sent && finished <= IPP_STATUS_OK_CONFLICTING) return std::nullopt;
    const Answer answer = lastAnswer(cups);
    // No half of a job stays in the queue.
    cups.cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.constData(), job, 0);
    return sentence(
        QStringLiteral("The printer \"%1\" refused the job").arg(m_printerName), answer.text);
}

#else

std::optional<QString> PrintQueue::refusal() const
{
    return std::nullopt;
}

bool PrintQueue::takesDocuments() const
{
    return false;
}

std::optional<QString> PrintQueue::submit(
    const QByteArray &, const QString &, const Options &) const
{
    return sentence(QStringLiteral("The printer \"%1\" takes no document").arg(m_printerName));
}

#endif

} // namespace kestrune
