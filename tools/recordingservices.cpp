// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/recordingservices.h"

#include "printing/qtprinter.h"

#include <QPrinter>
#include <QUrl>

#include <utility>

namespace kestrune {

QString quoted(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) out += QLatin1Char('\\');
        out += c;
    }
    out += QLatin1Char('"');
    return out;
}

namespace {

// Records each printed line with its weight and size; with `failing`, the printer fails on
// the first thing it is asked to print, as a printer that went away would.
class RecordingPrinter : public Printer {
public:
    RecordingPrinter(std::function<void(const QString &)> record, bool failing)
        : Printer(QStringLiteral("Arial")), m_record(std::move(record)), m_failing(failing)
    { }

    void printLine(const QString &text) override
    {
        failIfBroken();
        m_record(QStringLiteral("print %1 %2 %3")
                     .arg(bold() ? QStringLiteral("bold") : QStringLiteral("regular"),
                         QString::number(fontSize()), quoted(text)));
    }
    void endDocument() override
    {
        failIfBroken();
        m_record(QStringLiteral("enddoc"));
    }
    void printWindowImage(QWidget *) override
    {
        failIfBroken();
        m_record(QStringLiteral("printform"));
    }

private:
    void failIfBroken() const
    {
        if (m_failing) throw PrintFailure("The printer is not responding.");
    }

    std::function<void(const QString &)> m_record;
    bool m_failing;
};

} // namespace

RecordingServices::RecordingServices(std::function<void(const QString &)> record)
    : m_record(std::move(record))
{ }

RecordingServices::~RecordingServices() = default;

bool RecordingServices::queuePrintAnswer(PrintAnswer answer, const QString &target)
{
    std::unique_ptr<QPrinter> printer;
    if (answer == PrintAnswer::Queue) {
        // A name the print system does not know would leave the printer on another one.
        printer = QtPrinter::newPagePrinter();
        printer->setPrinterName(target);
        if (printer->outputFormat() != QPrinter::NativeFormat || printer->printerName() != target)
            return false;
    }
    m_printAnswers.push_back({ answer, target, std::move(printer) });
    return true;
}

void RecordingServices::showMessage(
    QWidget *, const QString &prompt, int style, const QString &title)
{
    m_record(QStringLiteral("message %1 %2 %3")
                 .arg(QString::number(style), quoted(title), quoted(prompt)));
}

std::optional<QString> RecordingServices::askText(
    QWidget *, const QString &prompt, const QString &title)
{
    std::optional<QString> answer;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    m_record(QStringLiteral("prompt %1 %2 -> %3")
                 .arg(quoted(title), quoted(prompt),
                     answer ? quoted(*answer) : QStringLiteral("cancel")));
    return answer;
}

std::unique_ptr<Printer> RecordingServices::choosePrinter(QWidget *)
{
    DialogAnswer given { PrintAnswer::Cancel, {}, nullptr };
    if (!m_printAnswers.empty()) {
        given = std::move(m_printAnswers.front());
        m_printAnswers.pop_front();
    }

    switch (given.answer) {
    case PrintAnswer::Cancel:
        m_record(QStringLiteral("printdialog -> cancel"));
        return nullptr;
    case PrintAnswer::Ok:
        m_record(QStringLiteral("printdialog -> ok"));
        return std::make_unique<RecordingPrinter>(m_record, false);
    case PrintAnswer::Fail:
        m_record(QStringLiteral("printdialog -> fail"));
        return std::make_unique<RecordingPrinter>(m_record, true);
    case PrintAnswer::Pdf: {
        m_record(QStringLiteral("printdialog -> pdf"));
        // The page the real print path makes, with the dialog's choice of a PDF file.
        std::unique_ptr<QPrinter> printer = QtPrinter::newPagePrinter();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(given.target);
        return std::make_unique<QtPrinter>(std::move(printer));
    }
    case PrintAnswer::Queue:
        m_record(QStringLiteral("printdialog -> queue %1").arg(quoted(given.target)));
        return std::make_unique<QtPrinter>(std::move(given.printer));
    }
    return nullptr;
}

void RecordingServices::showAbout(QWidget *, const QString &title, const QString &text)
{
    // The box's text runs over several lines; the transcript keeps it on one, each line break
    // written \n (a backslash in the text itself is already written \\).
    m_record(
        QStringLiteral("about %1 %2")
            .arg(quoted(title), quoted(text).replace(QLatin1Char('\n'), QLatin1String("\\n"))));
}

void RecordingServices::showUserGuide(QWidget *, const QUrl &page)
{
    m_record(QStringLiteral("guide %1").arg(quoted(page.toString())));
}

void RecordingServices::copyToClipboard(const QString &text, const QString &html)
{
    m_clipboardText = text;
    m_clipboardHtml = html;
    m_record(QStringLiteral("clipboard %1")
                 .arg(quoted(text)
                          .replace(QLatin1Char('\t'), QLatin1String("\\t"))
                          .replace(QLatin1Char('\n'), QLatin1String("\\n"))));
}

bool RecordingServices::openInBrowser(const QUrl &url)
{
    const bool opened = !std::exchange(m_browserFails, false);
    m_record(
        QStringLiteral("browser %1 -> %2")
            .arg(quoted(url.toString()), opened ? QStringLiteral("ok") : QStringLiteral("fail")));
    return opened;
}

} // namespace kestrune
