// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "mainwindow/helpmenu.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/geometry.h"
#include "platform/qttext.h"
#include "platform/textbox.h"
#include "triangle/trianglewindow.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

namespace kestrune {

namespace {

using C = MainWindow::Controls;

// The window reads as a table: labels on the left, the imperial column, the metric column. In
// twips; a row's label stands 60 lower than its boxes and its unit labels 120 lower, so that
// their text lines up with the boxes' text.
constexpr int kLabelLeft = 360;
constexpr int kColumnLeft[] = { 4620, 6660 }; // by UnitSystem
constexpr int kUnitLeft[] = { 5820, 7860 };
constexpr int kBoxWidth = 1095;
constexpr int kBoxHeight = 375;
constexpr int kLabelWidth = 4215;
constexpr int kLabelHeight = 255;
constexpr int kUnitWidth = 495;

// A row's box in one unit column, with the label of its unit beside it.
struct UnitBox {
    TextBox *C::*box;
    const char *name;
    const char *unitLabel;
    const char *unit; // as the label shows it
    const char *unitWord; // as a screen reader says it
};

struct Row {
    int top;
    const char *label;
    const char *caption;
    const char *tooltip;
    std::size_t length;
    UnitBox imperial, metric;
};

// The three measurements, then the four rated loads.
const Row kRows[] = {
    { 1680, "Label5",
        "Length of the horizontal projection:", " Span = Face of support to face of support ",
        kMeasurementLength, { &C::txtProjImp, "txtProjImp", "Label9", "Ft", "feet" },
        { &C::txtProjMet, "txtProjMet", "Label13", "M", "meters" } },
    { 2160, "Label8", "Total rise:", "", kMeasurementLength,
        { &C::txtRiseImp, "txtRiseImp", "Label10", "Ft", "feet" },
        { &C::txtRiseMet, "txtRiseMet", "Label14", "M", "meters" } },
    { 2640, "Label6", "Width of the escalator step:", "", kMeasurementLength,
        { &C::txtWidthImp, "txtWidthImp", "Label11", "In", "inches" },
        { &C::txtWidthMet, "txtWidthMet", "Label15", "MM", "millimeters" } },
    { 4380, "Label19", "Structural rated load:", " Used for the purpose of structural design ",
        kLoadFieldLength, { &C::txtStructImp, "txtStructImp", "Label18", "Lb", "pounds" },
        { &C::txtStructMet, "txtStructMet", "Label17", "Kg", "kilograms" } },
    { 4860, "Label22", "Machinery rated load:",
        " Used for the purpose of driving machine and power transmission calculations...Some "
        "authorities also designate this load as \"Capacity rated load\" ",
        kLoadFieldLength, { &C::txtMachImp, "txtMachImp", "Label21", "Lb", "pounds" },
        { &C::txtMachMet, "txtMachMet", "Label20", "Kg", "kilograms" } },
    { 5340, "Label25", "Brake rated load - static:",
        " Used for the purpose of brake calculations with the escalator stopped ", kLoadFieldLength,
        { &C::txtBrakeStopImp, "txtBrakeStopImp", "Label24", "Lb", "pounds" },
        { &C::txtBrakeStopMet, "txtBrakeStopMet", "Label23", "Kg", "kilograms" } },
    { 5820, "Label28", "Brake rated load - running:",
        " Used for the purpose of brake calculations with the escalator running ", kLoadFieldLength,
        { &C::txtBrakeRunImp, "txtBrakeRunImp", "Label27", "Lb", "pounds" },
        { &C::txtBrakeRunMet, "txtBrakeRunMet", "Label26", "Kg", "kilograms" } },
};

const QString kAngleTooltip = QStringLiteral(" The angle of inclination shall be designed not to "
                                             "exceed 30 degrees plus 1 degree due to site "
                                             "conditions ");

struct Button {
    QPushButton *C::*button;
    const char *name;
    const char *caption;
    int left, top, width, height;
    const char *description; // what a screen reader adds to the caption
};

// The unit buttons head their columns; the commands stand in a row beneath the results.
const Button kButtons[] = {
    { &C::cmdImperial, "cmdImperial", "&Imperial", kColumnLeft[0], 870, kBoxWidth, 435,
        "Type the measurements in feet and inches (Alt+I)" },
    { &C::cmdMetric, "cmdMetric", "&Metric", kColumnLeft[1], 870, kBoxWidth, 435,
        "Type the measurements in meters and millimeters (Alt+M)" },
    { &C::cmdCalculate, "cmdCalculate", "&Calculate", 1950, 6540, 1215, 495,
        "Calculates the cotangent and the rated loads (Enter, Alt+C)" },
    { &C::cmdClear, "cmdClear", "C&lear", 3900, 6540, 1215, 495, "Clears all text boxes (Alt+L)" },
    { &C::cmdExit, "cmdExit", "E&xit", 5850, 6540, 1215, 495, "Closes the window (Esc, Alt+X)" },
};

// The order of the Tab key, by tab index; boxes without a tab stop keep their place in it.
const std::pair<TextBox * C::*, int> kTabIndices[] = { { &C::txtProjImp, 0 }, { &C::txtProjMet, 1 },
    { &C::txtRiseImp, 2 }, { &C::txtRiseMet, 3 }, { &C::txtWidthImp, 4 }, { &C::txtWidthMet, 5 },
    { &C::txtDeg, 6 }, { &C::txtMin, 7 }, { &C::txtStructMet, 23 }, { &C::txtStructImp, 24 },
    { &C::txtMachMet, 28 }, { &C::txtMachImp, 29 }, { &C::txtBrakeStopMet, 33 },
    { &C::txtBrakeStopImp, 34 }, { &C::txtBrakeRunMet, 38 }, { &C::txtBrakeRunImp, 39 },
    { &C::txtCotangent, 47 }, { &C::txtID, 48 } };
const std::pair<QPushButton * C::*, int> kButtonTabIndices[] = { { &C::cmdImperial, 13 },
    { &C::cmdMetric, 14 }, { &C::cmdCalculate, 43 }, { &C::cmdClear, 44 }, { &C::cmdExit, 45 } };

const QColor kLightGreen(128, 255, 128);

// What a screen reader says for a box: the label beside it, with the unit where the row has one,
// and the label's tooltip up to its ellipsis.
void describe(TextBox *box, const QString &caption, const QString &tooltip, const char *unitWord)
{
    QString name = caption;
    name.remove(QLatin1Char(':'));
    if (unitWord) name += QStringLiteral(", ") + QLatin1String(unitWord);
    box->setAccessibleName(name);
    box->setAccessibleDescription(tooltip.section(QStringLiteral("..."), 0, 0).trimmed());
}

} // namespace

MainWindow::MainWindow(Services &services)
    : FormWindow(services, "main", QStringLiteral("Tolvane"), 22, 9015, 7320)
{
    createControls();
    createMenus();
    wireBehaviour();
    // The window opens in imperial units with 30 degrees 0 minutes; each write runs the angle
    // box's change handling, which finds the angle accepted.
    ui.txtDeg->setFieldText(fromUtf8(kStartDegrees));
    ui.txtMin->setFieldText(fromUtf8(kStartMinutes));
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls()
{
    // Controls are created in reading order, which is the order a screen reader lists them in.
    QWidget *area = client();
    auto label = [area](const char *name, const QString &caption, int left, int top, int width,
                     const QString &tooltip = {}) {
        QLabel *l = makeLabel(area, name, caption, twipsRect(left, top, width, kLabelHeight));
        l->setToolTip(tooltip);
        return l;
    };
    auto box = [area](const char *name, std::size_t length, int left, int top, int width) {
        return makeTextBox(
            area, name, static_cast<int>(length), twipsRect(left, top, width, kBoxHeight));
    };
    auto addRow = [&](const Row &row) {
        const QString caption = QString::fromLatin1(row.caption);
        const QString tooltip = QString::fromLatin1(row.tooltip);
        label(row.label, caption, kLabelLeft, row.top + 60, kLabelWidth, tooltip);
        for (const UnitSystem system : { UnitSystem::Imperial, UnitSystem::Metric }) {
            const auto i = static_cast<std::size_t>(system);
            const UnitBox &unit = system == UnitSystem::Imperial ? row.imperial : row.metric;
            TextBox *created = box(unit.name, row.length, kColumnLeft[i], row.top, kBoxWidth);
            ui.*unit.box = created;
            label(unit.unitLabel, QString::fromLatin1(unit.unit), kUnitLeft[i], row.top + 120,
                kUnitWidth);
            describe(created, caption, tooltip, unit.unitWord);
        }
    };
    auto addButton = [area, this](const Button &b) {
        QPushButton *button = makeButton(area, b.name, QString::fromLatin1(b.caption),
            twipsRect(b.left, b.top, b.width, b.height));
        button->setAccessibleDescription(QString::fromLatin1(b.description));
        ui.*b.button = button;
    };

    makeLabel(area, "Label1", QStringLiteral("Escalator Rated Load"), twipsRect(3180, 0, 2655, 375),
        Qt::AlignHCenter | Qt::AlignTop)
        ->setFont(windowFont(12));

    const QString idTooltip
        = QStringLiteral(" A maximum of 30 characters may be used to identify this unit ");
    label("Label3", QStringLiteral("Escalator ID:"), kLabelLeft, 480, 3795, idTooltip);
    ui.txtID = box("txtID", kIdentificationLength, kLabelLeft, 930, 3795);
    ui.txtID->setHoldsNumbers(false);
    describe(ui.txtID, QStringLiteral("Escalator ID:"), idTooltip, nullptr);
    addButton(kButtons[0]);
    addButton(kButtons[1]);
    for (QPushButton *button : { ui.cmdImperial, ui.cmdMetric }) {
        // The unit buttons head their columns, drawn flat in light green so the colour shows, and
        // the Tab key passes them by.
        setButtonFace(button, kLightGreen);
        button->setFocusPolicy(Qt::ClickFocus);
    }

    for (std::size_t i = 0; i < 3; ++i)
        addRow(kRows[i]);

    label("Label7", QStringLiteral("Angle of inclination:"), kLabelLeft, 3180, kLabelWidth,
        kAngleTooltip);
    ui.txtDeg = box("txtDeg", kAngleLength, kColumnLeft[0], 3120, 495);
    label("Label12", QStringLiteral("Deg"), 5220, 3240, kUnitWidth);
    ui.txtMin = box("txtMin", kAngleLength, 5940, 3120, 495);
    label("Label16", QStringLiteral("Min"), 6540, 3240, kUnitWidth);
    describe(ui.txtDeg, QStringLiteral("Angle of inclination:"), kAngleTooltip, "degrees");
    describe(ui.txtMin, QStringLiteral("Angle of inclination:"), kAngleTooltip, "minutes");

    const QString cotangent = QStringLiteral("Cotangent of the angle of inclination:");
    label("Label2", cotangent, kLabelLeft, 3960, kLabelWidth);
    ui.txtCotangent = box("txtCotangent", kCotangentFieldLength, kColumnLeft[0], 3900, kBoxWidth);
    describe(ui.txtCotangent, cotangent, {}, nullptr);

    for (std::size_t i = 3; i < std::size(kRows); ++i)
        addRow(kRows[i]);
    for (std::size_t i = 2; i < std::size(kButtons); ++i)
        addButton(kButtons[i]);
    ui.cmdClear->setToolTip(QStringLiteral(" Clears all text boxes "));
    ui.cmdCalculate->setDefault(true);

    m_columns = { Column { ui.txtProjImp, ui.txtRiseImp, ui.txtWidthImp, ui.txtStructImp,
                      ui.txtMachImp, ui.txtBrakeStopImp, ui.txtBrakeRunImp },
        Column { ui.txtProjMet, ui.txtRiseMet, ui.txtWidthMet, ui.txtStructMet, ui.txtMachMet,
            ui.txtBrakeStopMet, ui.txtBrakeRunMet } };

    // The window opens in the imperial arrangement: the identification, the imperial
    // measurements and the angle are editable; every other box is a display.
    const QList<TextBox *> editable { ui.txtID, ui.txtProjImp, ui.txtRiseImp, ui.txtWidthImp,
        ui.txtDeg, ui.txtMin };
    for (TextBox *b : findChildren<TextBox *>())
        b->setEditable(editable.contains(b));

    for (const auto &[member, index] : kTabIndices)
        form().addControl(ui.*member, index);
    for (const auto &[member, index] : kButtonTabIndices)
        form().addControl(ui.*member, index);
    form().setDefaultButton(ui.cmdCalculate);
    form().setCancelButton(ui.cmdExit);
}

void MainWindow::createMenus()
{
    auto item
        = [](QMenu *menu, const char *name, const char *caption, const QKeySequence &shortcut) {
              QAction *action = menu->addAction(QString::fromLatin1(caption));
              action->setObjectName(QString::fromLatin1(name));
              action->setShortcut(shortcut);
              // The shortcuts work while this window is the active one.
              action->setShortcutContext(Qt::WindowShortcut);
              return action;
          };
    ui.mnuPrint = menuBar()->addMenu(QStringLiteral("&Print"));
    ui.mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    ui.mnuPrintData = item(ui.mnuPrint, "mnuPrintData", "Print &Data", Qt::CTRL | Qt::Key_P);
    ui.mnuPrintForm = item(ui.mnuPrint, "mnuPrintForm", "Print &Form", Qt::CTRL | Qt::Key_F);
    ui.mnuPrint->addSeparator();
    ui.mnuCopyResults
        = item(ui.mnuPrint, "mnuCopyResults", "&Copy Results", Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    ui.mnuHelp = menuBar()->addMenu(QStringLiteral("I&nfo"));
    ui.mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    ui.mnuRAT = item(ui.mnuHelp, "mnuRAT", "&Right-Angled Triangle", Qt::CTRL | Qt::Key_R);
    addHelpItems(ui.mnuHelp, this, services());
}

void MainWindow::wireBehaviour()
{
    connect(ui.cmdCalculate, &QPushButton::clicked, this, &MainWindow::calculate);
    connect(ui.cmdClear, &QPushButton::clicked, this, &MainWindow::clearFields);
    connect(ui.cmdExit, &QPushButton::clicked, this, &MainWindow::close);
    connect(ui.cmdImperial, &QPushButton::clicked, this, &MainWindow::switchToImperial);
    connect(ui.cmdMetric, &QPushButton::clicked, this, &MainWindow::switchToMetric);
    connect(ui.mnuPrintData, &QAction::triggered, this, &MainWindow::printData);
    connect(ui.mnuPrintForm, &QAction::triggered, this, &MainWindow::printForm);
    connect(ui.mnuCopyResults, &QAction::triggered, this, &MainWindow::copyResults);
    connect(ui.mnuRAT, &QAction::triggered, this, &MainWindow::openTriangle);

    // The identification and the cotangent keep their selection when they gain the focus.
    selectTextOnFocus({ ui.txtProjImp, ui.txtProjMet, ui.txtRiseImp, ui.txtRiseMet, ui.txtWidthImp,
        ui.txtWidthMet, ui.txtDeg, ui.txtMin, ui.txtStructImp, ui.txtStructMet, ui.txtMachImp,
        ui.txtMachMet, ui.txtBrakeStopImp, ui.txtBrakeStopMet, ui.txtBrakeRunImp,
        ui.txtBrakeRunMet });

    // A measurement: its twin follows it while its unit system is the source; either way the
    // results no longer belong to the inputs.
    for (const UnitSystem system : { UnitSystem::Imperial, UnitSystem::Metric }) {
        for (const Measurement m :
            { Measurement::Projection, Measurement::Rise, Measurement::Width })
            connect(measurementBox(m, system), &TextBox::changed, this,
                [this, m, system] { measurementChanged(m, system); });
        form().onLostFocus(column(system).width, [this, system] { checkStepWidth(system); });
    }
    // The angle: every keystroke checks it at once, so the boxes hold an accepted angle whenever
    // Calculate is pressed; leaving either box checks it too.
    for (TextBox *angle : { ui.txtDeg, ui.txtMin }) {
        connect(angle, &TextBox::changed, this, [this] {
            clearAnswers();
            checkAngle();
        });
        form().onLostFocus(angle, [this] { checkAngle(); });
    }
}

void MainWindow::openTriangle()
{
    if (!m_triangle) {
        // No parent: the triangle window lives beside the main window and keeps the program
        // running after the main window has closed.
        m_triangle = new TriangleWindow(services());
        m_triangle->setAttribute(Qt::WA_DeleteOnClose);
        m_triangle->show();
        Q_EMIT triangleOpened(m_triangle);
    } else {
        m_triangle->show();
        m_triangle->raise();
    }
    m_triangle->activateWindow();
}

} // namespace kestrune
