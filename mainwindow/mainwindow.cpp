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
        kMeasurementLength, { &C::projectionImperial, "txtProjImp", "Label9", "Ft", "feet" },
        { &C::projectionMetric, "txtProjMet", "Label13", "M", "meters" } },
    { 2160, "Label8", "Total rise:", "", kMeasurementLength,
        { &C::riseImperial, "txtRiseImp", "Label10", "Ft", "feet" },
        { &C::riseMetric, "txtRiseMet", "Label14", "M", "meters" } },
    { 2640, "Label6", "Width of the escalator step:", "", kMeasurementLength,
        { &C::widthImperial, "txtWidthImp", "Label11", "In", "inches" },
        { &C::widthMetric, "txtWidthMet", "Label15", "MM", "millimeters" } },
    { 4380, "Label19", "Structural rated load:", " Used for the purpose of structural design ",
        kLoadFieldLength, { &C::structuralImperial, "txtStructImp", "Label18", "Lb", "pounds" },
        { &C::structuralMetric, "txtStructMet", "Label17", "Kg", "kilograms" } },
    { 4860, "Label22", "Machinery rated load:",
        " Used for the purpose of driving machine and power transmission calculations...Some "
        "authorities also designate this load as \"Capacity rated load\" ",
        kLoadFieldLength, { &C::machineryImperial, "txtMachImp", "Label21", "Lb", "pounds" },
        { &C::machineryMetric, "txtMachMet", "Label20", "Kg", "kilograms" } },
    { 5340, "Label25", "Brake rated load - static:",
        " Used for the purpose of brake calculations with the escalator stopped ", kLoadFieldLength,
        { &C::brakeStaticImperial, "txtBrakeStopImp", "Label24", "Lb", "pounds" },
        { &C::brakeStaticMetric, "txtBrakeStopMet", "Label23", "Kg", "kilograms" } },
    { 5820, "Label28", "Brake rated load - running:",
        " Used for the purpose of brake calculations with the escalator running ", kLoadFieldLength,
        { &C::brakeRunningImperial, "txtBrakeRunImp", "Label27", "Lb", "pounds" },
        { &C::brakeRunningMetric, "txtBrakeRunMet", "Label26", "Kg", "kilograms" } },
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
    { &C::imperialButton, "cmdImperial", "&Imperial", kColumnLeft[0], 870, kBoxWidth, 435,
        "Type the measurements in feet and inches (Alt+I)" },
    { &C::metricButton, "cmdMetric", "&Metric", kColumnLeft[1], 870, kBoxWidth, 435,
        "Type the measurements in meters and millimeters (Alt+M)" },
    { &C::calculateButton, "cmdCalculate", "&Calculate", 1950, 6540, 1215, 495,
        "Calculates the cotangent and the rated loads (Enter, Alt+C)" },
    { &C::clearButton, "cmdClear", "C&lear", 3900, 6540, 1215, 495,
        "Clears all text boxes (Alt+L)" },
    { &C::exitButton, "cmdExit", "E&xit", 5850, 6540, 1215, 495, "Closes the window (Esc, Alt+X)" },
};

// The order of the Tab key, by tab index; boxes without a tab stop keep their place in it.
const std::pair<TextBox * C::*, int> kTabIndices[] = { { &C::projectionImperial, 0 },
    { &C::projectionMetric, 1 }, { &C::riseImperial, 2 }, { &C::riseMetric, 3 },
    { &C::widthImperial, 4 }, { &C::widthMetric, 5 }, { &C::degrees, 6 }, { &C::minutes, 7 },
    { &C::structuralMetric, 23 }, { &C::structuralImperial, 24 }, { &C::machineryMetric, 28 },
    { &C::machineryImperial, 29 }, { &C::brakeStaticMetric, 33 }, { &C::brakeStaticImperial, 34 },
    { &C::brakeRunningMetric, 38 }, { &C::brakeRunningImperial, 39 }, { &C::cotangent, 47 },
    { &C::identification, 48 } };
const std::pair<QPushButton * C::*, int> kButtonTabIndices[]
    = { { &C::imperialButton, 13 }, { &C::metricButton, 14 }, { &C::calculateButton, 43 },
          { &C::clearButton, 44 }, { &C::exitButton, 45 } };

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
    ui.degrees->setFieldText(fromUtf8(kStartDegrees));
    ui.minutes->setFieldText(fromUtf8(kStartMinutes));
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
    ui.identification = box("txtID", kIdentificationLength, kLabelLeft, 930, 3795);
    ui.identification->setHoldsNumbers(false);
    describe(ui.identification, QStringLiteral("Escalator ID:"), idTooltip, nullptr);
    addButton(kButtons[0]);
    addButton(kButtons[1]);
    for (QPushButton *button : { ui.imperialButton, ui.metricButton }) {
        // The unit buttons head their columns, drawn flat in light green so the colour shows, and
        // the Tab key passes them by.
        setButtonFace(button, kLightGreen);
        button->setFocusPolicy(Qt::ClickFocus);
    }

    for (std::size_t i = 0; i < 3; ++i)
        addRow(kRows[i]);

    label("Label7", QStringLiteral("Angle of inclination:"), kLabelLeft, 3180, kLabelWidth,
        kAngleTooltip);
    ui.degrees = box("txtDeg", kAngleLength, kColumnLeft[0], 3120, 495);
    label("Label12", QStringLiteral("Deg"), 5220, 3240, kUnitWidth);
    ui.minutes = box("txtMin", kAngleLength, 5940, 3120, 495);
    label("Label16", QStringLiteral("Min"), 6540, 3240, kUnitWidth);
    describe(ui.degrees, QStringLiteral("Angle of inclination:"), kAngleTooltip, "degrees");
    describe(ui.minutes, QStringLiteral("Angle of inclination:"), kAngleTooltip, "minutes");

    const QString cotangent = QStringLiteral("Cotangent of the angle of inclination:");
    label("Label2", cotangent, kLabelLeft, 3960, kLabelWidth);
    ui.cotangent = box("txtCotangent", kCotangentFieldLength, kColumnLeft[0], 3900, kBoxWidth);
    describe(ui.cotangent, cotangent, {}, nullptr);

    for (std::size_t i = 3; i < std::size(kRows); ++i)
        addRow(kRows[i]);
    for (std::size_t i = 2; i < std::size(kButtons); ++i)
        addButton(kButtons[i]);
    ui.clearButton->setToolTip(QStringLiteral(" Clears all text boxes "));
    ui.calculateButton->setDefault(true);

    m_columns = { Column { ui.projectionImperial, ui.riseImperial, ui.widthImperial,
                      ui.structuralImperial, ui.machineryImperial, ui.brakeStaticImperial,
                      ui.brakeRunningImperial },
        Column { ui.projectionMetric, ui.riseMetric, ui.widthMetric, ui.structuralMetric,
            ui.machineryMetric, ui.brakeStaticMetric, ui.brakeRunningMetric } };

    // The window opens in the imperial arrangement: the identification, the imperial
    // measurements and the angle are editable; every other box is a display.
    const QList<TextBox *> editable { ui.identification, ui.projectionImperial, ui.riseImperial,
        ui.widthImperial, ui.degrees, ui.minutes };
    for (TextBox *b : findChildren<TextBox *>())
        b->setEditable(editable.contains(b));

    for (const auto &[member, index] : kTabIndices)
        form().addControl(ui.*member, index);
    for (const auto &[member, index] : kButtonTabIndices)
        form().addControl(ui.*member, index);
    form().setDefaultButton(ui.calculateButton);
    form().setCancelButton(ui.exitButton);
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
    ui.printMenu = menuBar()->addMenu(QStringLiteral("&Print"));
    ui.printMenu->setObjectName(QStringLiteral("mnuPrint"));
    ui.printDataItem = item(ui.printMenu, "mnuPrintData", "Print &Data", Qt::CTRL | Qt::Key_P);
    ui.printFormItem = item(ui.printMenu, "mnuPrintForm", "Print &Form", Qt::CTRL | Qt::Key_F);
    ui.printMenu->addSeparator();
    ui.copyResultsItem
        = item(ui.printMenu, "mnuCopyResults", "&Copy Results", Qt::CTRL | Qt::SHIFT | Qt::Key_C);
    ui.helpMenu = menuBar()->addMenu(QStringLiteral("I&nfo"));
    ui.helpMenu->setObjectName(QStringLiteral("mnuHelp"));
    ui.triangleItem = item(ui.helpMenu, "mnuRAT", "&Right-Angled Triangle", Qt::CTRL | Qt::Key_R);
    addHelpItems(ui.helpMenu, this, services());
}

void MainWindow::wireBehaviour()
{
    connect(ui.calculateButton, &QPushButton::clicked, this, &MainWindow::calculate);
    connect(ui.clearButton, &QPushButton::clicked, this, &MainWindow::clearFields);
    connect(ui.exitButton, &QPushButton::clicked, this, &MainWindow::close);
    connect(ui.imperialButton, &QPushButton::clicked, this, &MainWindow::switchToImperial);
    connect(ui.metricButton, &QPushButton::clicked, this, &MainWindow::switchToMetric);
    connect(ui.printDataItem, &QAction::triggered, this, &MainWindow::printData);
    connect(ui.printFormItem, &QAction::triggered, this, &MainWindow::printForm);
    connect(ui.copyResultsItem, &QAction::triggered, this, &MainWindow::copyResults);
    connect(ui.triangleItem, &QAction::triggered, this, &MainWindow::openTriangle);

    // The identification and the cotangent keep their selection when they gain the focus.
    selectTextOnFocus({ ui.projectionImperial, ui.projectionMetric, ui.riseImperial, ui.riseMetric,
        ui.widthImperial, ui.widthMetric, ui.degrees, ui.minutes, ui.structuralImperial,
        ui.structuralMetric, ui.machineryImperial, ui.machineryMetric, ui.brakeStaticImperial,
        ui.brakeStaticMetric, ui.brakeRunningImperial, ui.brakeRunningMetric });

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
    for (TextBox *angle : { ui.degrees, ui.minutes }) {
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
