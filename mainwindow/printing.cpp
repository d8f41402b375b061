// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/marrowstep.h"

#include "core/appinfo.h"
#include "platform/qttext.h"
#include "platform/services.h"
#include "platform/textbox.h"

#include <vector>

namespace kestrune {

namespace {

// The report is printed in a fixed-pitch face, so its columns are counted in characters:
// every value starts in column 46 after four blanks, a label padded to 40 and one blank.
constexpr int kIndent = 4;
constexpr int kLabelWidth = 40;
constexpr double kBodyPoints = 14;
constexpr double kFooterPoints = 10;

// One line of the results report as the printer receives it.
struct ReportLine {
    QString text;
    bool bold = false;
    double points = kBodyPoints;
};

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

QString dataLine(const QString &label, const QString &value, const QString &unit = {})
{
    return blanks(kIndent) + label.leftJustified(kLabelWidth) + QLatin1Char(' ') + value + unit;
}

// The whole page, top to bottom: the fields exactly as the window holds them, with no
// reformatting, so a result never calculated prints as nothing between label and unit.
std::vector<ReportLine> reportLines(const Marrowstep::Controls &ui, const QString &imperialNote,
    const QString &metricNote, const QString &date)
{
    std::vector<ReportLine> lines;
    auto add = [&lines](const QString &line, bool bold, double points = kBodyPoints) {
        lines.push_back({ line, bold, points });
    };
    const QString empty;

    add(empty, false);
    add(empty, false);
    add(blanks(21) + QStringLiteral("Escalator Rated Load Results"), true);
    add(empty, true);
    // The identification's label keeps a blank of its own, so it starts in column 36.
    add(blanks(kIndent) + QStringLiteral("Escalator Identification: ") + blanks(5)
            + ui.txtID->text(),
        true);
    add(dataLine(QStringLiteral("Date:"), date), true);
    add(dataLine(QStringLiteral("Angle of inclination:"),
            ui.txtDeg->text() + QStringLiteral(" Degrees ") + ui.txtMin->text(),
            QStringLiteral(" Minutes")),
        true);
    add(dataLine(QStringLiteral("Cotangent of the angle of inclination:"), ui.txtCotangent->text()),
        true);
    add(empty, true);
    add(blanks(29) + QStringLiteral("Imperial ") + imperialNote, true);

    add(empty, false);
    add(dataLine(QStringLiteral("Length of the horizontal projection:"), ui.txtProjImp->text(),
            QStringLiteral(" Feet")),
        false);
    add(dataLine(QStringLiteral("Total rise:"), ui.txtRiseImp->text(), QStringLiteral(" Feet")),
        false);
    add(dataLine(QStringLiteral("Width of the escalator step:"), ui.txtWidthImp->text(),
            QStringLiteral(" Inches")),
        false);
    add(empty, false);
    add(dataLine(QStringLiteral("Structural rated load:"), ui.txtStructImp->text(),
            QStringLiteral(" Lb")),
        false);
    add(dataLine(
            QStringLiteral("Machinery rated load:"), ui.txtMachImp->text(), QStringLiteral(" Lb")),
        false);
    add(dataLine(QStringLiteral("Brake rated load - static:"), ui.txtBrakeStopImp->text(),
            QStringLiteral(" Lb")),
        false);
    add(dataLine(QStringLiteral("Brake rated load - running:"), ui.txtBrakeRunImp->text(),
            QStringLiteral(" Lb")),
        false);
    add(empty, false);
    add(empty, false);

    add(blanks(29) + QStringLiteral("Metric ") + metricNote, true);

    add(empty, false);
    add(dataLine(QStringLiteral("Length of the horizontal projection:"), ui.txtProjMet->text(),
            QStringLiteral(" Meters")),
        false);
    add(dataLine(QStringLiteral("Total rise:"), ui.txtRiseMet->text(), QStringLiteral(" Meters")),
        false);
    add(dataLine(QStringLiteral("Width of the escalator step:"), ui.txtWidthMet->text(),
            QStringLiteral(" Millimeters")),
        false);
    add(empty, false);
    add(dataLine(QStringLiteral("Structural rated load:"), ui.txtStructMet->text(),
            QStringLiteral(" Kg")),
        false);
    add(dataLine(
            QStringLiteral("Machinery rated load:"), ui.txtMachMet->text(), QStringLiteral(" Kg")),
        false);
    add(dataLine(QStringLiteral("Brake rated load - static:"), ui.txtBrakeStopMet->text(),
            QStringLiteral(" Kg")),
        false);
    add(dataLine(QStringLiteral("Brake rated load - running:"), ui.txtBrakeRunMet->text(),
            QStringLiteral(" Kg")),
        false);
    add(empty, false);
    add(empty, false);

    add(blanks(6) + QStringLiteral("Another timesaving program from ") + fromUtf8(kWebAddress),
        false, kFooterPoints);
    return lines;
}

// Asks for the escalator's identification only while the window has none (blanks count as
// one). Cancel leaves the field empty, so the next print command asks again.
void askIdentification(QWidget *owner, Services &services, TextBox *txtID)
{
    if (!txtID->text().isEmpty()) return;
    const std::optional<QString> answer = services.askText(owner,
        QStringLiteral("Do you wish to identify this escalator?"), QStringLiteral("Escalator ID"));
    txtID->setFieldText(answer.value_or(QString()));
}

// A printer that fails must not leave the user waiting for a page that never comes.
void reportPrintFailure(
    QWidget *owner, Services &services, const QString &what, const PrintFailure &failure)
{
    services.showMessage(owner,
        what + QStringLiteral(" was not printed: ") + QString::fromStdString(failure.what()),
        MessageStyle::Stop, QStringLiteral("Print Failed"));
}

} // namespace

void Marrowstep::mnuPrintData_Click()
{
    try {
        askIdentification(this, m_services, ui.txtID);

        const QString imperialNote
            = ImperialMode ? QString() : QStringLiteral("(Converted from Metric)");
        const QString metricNote
            = ImperialMode ? QStringLiteral("(Converted from Imperial)") : QString();

        // Cancel in the print dialog ends the command without a page and without a message.
        const std::unique_ptr<Printer> printer = m_services.choosePrinter(this);
        if (!printer) return;

        const QString savedFontName = printer->fontName();
        const double savedFontSize = printer->fontSize();
        printer->setFontName(QStringLiteral("Courier New"));
        printer->setFontSize(kBodyPoints);

        const std::vector<ReportLine> lines
            = reportLines(ui, imperialNote, metricNote, shortDateText(m_services.today()));
        for (const ReportLine &line : lines) {
            if (printer->bold() != line.bold) printer->setBold(line.bold);
            if (printer->fontSize() != line.points) printer->setFontSize(line.points);
            printer->printLine(line.text);
        }
        printer->endDocument();

        printer->setFontName(savedFontName);
        printer->setFontSize(savedFontSize);
    } catch (const PrintFailure &failure) {
        reportPrintFailure(this, m_services, QStringLiteral("The report"), failure);
    }
}

void Marrowstep::mnuPrintForm_Click()
{
    try {
        // The identification typed here shows in the window and so on the printed image.
        askIdentification(this, m_services, ui.txtID);

        const std::unique_ptr<Printer> printer = m_services.choosePrinter(this);
        if (!printer) return;
        printer->printWindowImage(centralWidget());
    } catch (const PrintFailure &failure) {
        reportPrintFailure(this, m_services, QStringLiteral("The window image"), failure);
    }
}

} // namespace kestrune
