// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"

#include "mainwindow/helpmenu.h"
#include "platform/controls.h"
#include "platform/geometry.h"
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

// The boxes, by Box: their names and tab indices; boxes without a tab stop keep their place in
// the Tab order.
struct BoxPlace {
    TextBox *C::*box;
    const char *name;
    int tabIndex;
};
constexpr BoxPlace kBoxPlaces[kBoxCount] = { { &C::projectionImperial, "txtProjImp", 0 },
    { &C::projectionMetric, "txtProjMet", 1 }, { &C::riseImperial, "txtRiseImp", 2 },
    { &C::riseMetric, "txtRiseMet", 3 }, { &C::widthImperial, "txtWidthImp", 4 },
    { &C::widthMetric, "txtWidthMet", 5 }, { &C::structuralImperial, "txtStructImp", 24 },
    { &C::structuralMetric, "txtStructMet", 23 }, { &C::machineryImperial, "txtMachImp", 29 },
    { &C::machineryMetric, "txtMachMet", 28 }, { &C::brakeStaticImperial, "txtBrakeStopImp", 34 },
    { &C::brakeStaticMetric, "txtBrakeStopMet", 33 },
    { &C::brakeRunningImperial, "txtBrakeRunImp", 39 },
    { &C::brakeRunningMetric, "txtBrakeRunMet", 38 }, { &C::degrees, "txtDeg", 6 },
    { &C::minutes, "txtMin", 7 }, { &C::cotangent, "txtCotangent", 47 },
    { &C::identification, "txtID", 48 } };

// The label of a box's unit: its name, as it shows, as a screen reader says it.
struct Unit {
    const char *label;
    const char *shown;
    const char *word;
};

// A row of twins: the label on the left, the imperial box and its unit, the metric box and its.
struct Row {
    int top;
    Quantity quantity;
    const char *label;
    const char *caption;
    const char *tooltip;
    Unit units[2]; // by UnitSystem
};

// The three measurements, then the four rated loads.
const Row kRows[] = {
    { 1680, Quantity::Projection, "Label5",
        "Length of the horizontal projection:", " Span = Face of support to face of support ",
        { { "Label9", "Ft", "feet" }, { "Label13", "M", "meters" } } },
    { 2160, Quantity::Rise, "Label8", "Total rise:", "",
        { { "Label10", "Ft", "feet" }, { "Label14", "M", "meters" } } },
    { 2640, Quantity::Width, "Label6", "Width of the escalator step:", "",
        { { "Label11", "In", "inches" }, { "Label15", "MM", "millimeters" } } },
    { 4380, Quantity::Structural, "Label19",
        "Structural rated load:", " Used for the purpose of structural design ",
        { { "Label18", "Lb", "pounds" }, { "Label17", "Kg", "kilograms" } } },
    { 4860, Quantity::Machinery, "Label22", "Machinery rated load:",
        " Used for the purpose of driving machine and power transmission calculations...Some "
        "authorities also designate this load as \"Capacity rated load\" ",
        { { "Label21", "Lb", "pounds" }, { "Label20", "Kg", "kilograms" } } },
    { 5340, Quantity::BrakeStatic, "Label25", "Brake rated load - static:",
        " Used for the purpose of brake calculations with the escalator stopped ",
        { { "Label24", "Lb", "pounds" }, { "Label23", "Kg", "kilograms" } } },
    { 5820, Quantity::BrakeRunning, "Label28", "Brake rated load - running:",
        " Used for the purpose of brake calculations with the escalator running ",
        { { "Label27", "Lb", "pounds" }, { "Label26", "Kg", "kilograms" } } },
};

const QString kAngleTooltip = QStringLiteral(" The angle of inclination shall be designed not to "
                                             "exceed 30 degrees plus 1 degree due to site "
                                             "conditions ");

struct Button {
    QPushButton *C::*button;
    const char *name;
    const char *caption;
    int left, top, width, height;
    int tabIndex;
    const char *description; // what a screen reader adds to the caption
};

// The unit buttons head their columns; the commands stand in a row beneath the results.
const Button kButtons[] = {
    { &C::imperialButton, "cmdImperial", "&Imperial", kColumnLeft[0], 870, kBoxWidth, 435, 13,
        "Type the measurements in feet and inches (Alt+I)" },
    { &C::metricButton, "cmdMetric", "&Metric", kColumnLeft[1], 870, kBoxWidth, 435, 14,
        "Type the measurements in meters and millimeters (Alt+M)" },
    { &C::calculateButton, "cmdCalculate", "&Calculate", 1950, 6540, 1215, 495, 43,
        "Calculates the cotangent and the rated loads (Enter, Alt+C)" },
    { &C::clearButton, "cmdClear", "C&lear", 3900, 6540, 1215, 495, 44,
        "Clears all text boxes (Alt+L)" },
    { &C::exitButton, "cmdExit", "E&xit", 5850, 6540, 1215, 495, 45,
        "Closes the window (Esc, Alt+X)" },
};

const QColor kLightGreen(128, 255, 128);

} // namespace

MainWindow::MainWindow(Services &services)
    : FormWindow(services, "main", QStringLiteral("Tolvane"), 22, 9015, 7320)
{
    createControls();
    createMenus();
    wireBehaviour();
    // The window opens in imperial units with 30 degrees 0 minutes; each write runs the angle
    // box's change handling, which finds the angle accepted.
    write(Box::Degrees, kStartDegrees);
    write(Box::Minutes, kStartMinutes);
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls()
{
    // Controls are created in reading order, which is the order a screen reader lists them in.
    QWidget *area = client();
    auto label = [area](const char *name, const QString &caption, int left, int top, int width,
                     const QString &tooltip = {}) {
        makeLabel(area, name, caption, twipsRect(left, top, width, kLabelHeight))
            ->setToolTip(tooltip);
    };
    // A box with the label beside it, as a screen reader says it: the caption, the unit where the
    // row has one, and the tooltip up to its ellipsis.
    auto box = [&](Box b, int left, int top, int width, const QString &caption,
                   const QString &tooltip, const char *unitWord) {
        const BoxPlace &place = kBoxPlaces[static_cast<std::size_t>(b)];
        TextBox *created = makeTextBox(area, place.name, static_cast<int>(BoxLength(b)),
            twipsRect(left, top, width, kBoxHeight));
        ui.*place.box = m_boxes[static_cast<std::size_t>(b)] = created;
        QString name = caption;
        name.remove(QLatin1Char(':'));
        if (unitWord) name += QStringLiteral(", ") + QLatin1String(unitWord);
        created->setAccessibleName(name);
        created->setAccessibleDescription(tooltip.section(QStringLiteral("..."), 0, 0).trimmed());
        form().addControl(created, place.tabIndex);
    };
    auto addRow = [&](const Row &row) {
        const QString caption = QString::fromLatin1(row.caption);
        const QString tooltip = QString::fromLatin1(row.tooltip);
        label(row.label, caption, kLabelLeft, row.top + 60, kLabelWidth, tooltip);
        for (const UnitSystem system : { UnitSystem::Imperial, UnitSystem::Metric }) {
            const auto i = static_cast<std::size_t>(system);
            const Unit &unit = row.units[i];
            box(BoxOf(row.quantity, system), kColumnLeft[i], row.top, kBoxWidth, caption, tooltip,
                unit.word);
            label(unit.label, QString::fromLatin1(unit.shown), kUnitLeft[i], row.top + 120,
                kUnitWidth);
        }
    };
    auto addButton = [area, this](const Button &b) {
        QPushButton *button = makeButton(area, b.name, QString::fromLatin1(b.caption),
            twipsRect(b.left, b.top, b.width, b.height));
        button->setAccessibleDescription(QString::fromLatin1(b.description));
        ui.*b.button = button;
        form().addControl(button, b.tabIndex);
    };

    makeLabel(area, "Label1", QStringLiteral("Escalator Rated Load"), twipsRect(3180, 0, 2655, 375),
        Qt::AlignHCenter | Qt::AlignTop)
        ->setFont(windowFont(12));

    const QString id = QStringLiteral("Escalator ID:");
    const QString idTooltip
        = QStringLiteral(" A maximum of 30 characters may be used to identify this unit ");
    label("Label3", id, kLabelLeft, 480, 3795, idTooltip);
    box(Box::Identification, kLabelLeft, 930, 3795, id, idTooltip, nullptr);
    ui.identification->setHoldsNumbers(false);
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

    const QString angle = QStringLiteral("Angle of inclination:");
    label("Label7", angle, kLabelLeft, 3180, kLabelWidth, kAngleTooltip);
    box(Box::Degrees, kColumnLeft[0], 3120, 495, angle, kAngleTooltip, "degrees");
    label("Label12", QStringLiteral("Deg"), 5220, 3240, kUnitWidth);
    box(Box::Minutes, 5940, 3120, 495, angle, kAngleTooltip, "minutes");
    label("Label16", QStringLiteral("Min"), 6540, 3240, kUnitWidth);

    const QString cotangent = QStringLiteral("Cotangent of the angle of inclination:");
    label("Label2", cotangent, kLabelLeft, 3960, kLabelWidth);
    box(Box::Cotangent, kColumnLeft[0], 3900, kBoxWidth, cotangent, {}, nullptr);

    for (std::size_t i = 3; i < std::size(kRows); ++i)
        addRow(kRows[i]);
    for (std::size_t i = 2; i < std::size(kButtons); ++i)
        addButton(kButtons[i]);
    ui.clearButton->setToolTip(QStringLiteral(" Clears all text boxes "));
    ui.calculateButton->setDefault(true);

    // The window opens in the imperial arrangement: the identification, the imperial
    // measurements and the angle are editable; every other box is a display.
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        const Box b = static_cast<Box>(i);
        m_boxes[i]->setEditable(IsTwin(b)
                ? QuantityOf(b) <= Quantity::Width && SystemOf(b) == UnitSystem::Imperial
                : b != Box::Cotangent);
    }
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

    // Every box runs the core's change handling, and every box but the identification and the
    // cotangent selects its whole text when it gains the focus. Leaving an angle box checks the
    // angle, leaving a width box the step width of its system.
    QList<TextBox *> selecting;
    for (std::size_t i = 0; i < kBoxCount; ++i) {
        const Box b = static_cast<Box>(i);
        connect(m_boxes[i], &TextBox::changed, this, [this, b] { BoxChanged(*this, b); });
        if (b != Box::Identification && b != Box::Cotangent) selecting << m_boxes[i];
        if (b == Box::Degrees || b == Box::Minutes)
            form().onLostFocus(m_boxes[i], [this] { RunAngleCheck(*this); });
        else if (IsTwin(b) && QuantityOf(b) == Quantity::Width)
            form().onLostFocus(m_boxes[i], [this, b] { RunStepWidthCheck(*this, SystemOf(b)); });
    }
    selectTextOnFocus(selecting);
}

void MainWindow::switchTo(UnitSystem system)
{
    ClearAnswers(*this);
    m_system = system;
    // The source column is editable; the other shows the conversions, converted afresh.
    for (const Quantity measurement : kMeasurements) {
        box(BoxOf(measurement, UnitSystem::Imperial))->setEditable(system == UnitSystem::Imperial);
        box(BoxOf(measurement, UnitSystem::Metric))->setEditable(system == UnitSystem::Metric);
    }
    ConvertMeasurements(*this);
    focus(BoxOf(Quantity::Projection, system));
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
