// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/marrowstep.h"

#include "platform/appinfo.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/geometry.h"
#include "platform/services.h"
#include "platform/textbox.h"
#include "triangle/frmtriangle.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>

namespace kestrune {

namespace {

// Columns of the window, in twips.
constexpr int kLabelLeft = 360;
constexpr int kImperialLeft = 4620;
constexpr int kMetricLeft = 6660;
constexpr int kImperialUnitLeft = 5820;
constexpr int kMetricUnitLeft = 7860;
constexpr int kBoxWidth = 1095;
constexpr int kBoxHeight = 375;
constexpr int kLabelWidth = 4215;
constexpr int kLabelHeight = 255;
constexpr int kUnitWidth = 495;

const QColor kLightGreen(128, 255, 128);

} // namespace

Marrowstep::Marrowstep(Services &services, QWidget *parent)
    : QMainWindow(parent), m_services(services)
{
    setObjectName(QStringLiteral("main"));
    setWindowTitle(QStringLiteral("Tolvane") + QString(22, QLatin1Char(' ')) + kWebAddress);
    // A fixed layout: the frame offers minimise and close, but no maximise.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    m_form = new Form(this);
    createControls();
    createMenus();
    connectHandlers();
    Form_Load();
}

Marrowstep::~Marrowstep() = default;

void Marrowstep::createControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips(9015), twips(7320));
    client->setFont(windowFont());
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    auto label = [client](const char *name, const QString &caption, int left, int top,
                     int width = kLabelWidth, const QString &tooltip = {}) {
        QLabel *l = makeLabel(client, name, caption, twipsRect(left, top, width, kLabelHeight));
        l->setToolTip(tooltip);
        return l;
    };
    auto box = [client](const char *name, int maxLength, int left, int top, int width = kBoxWidth) {
        return makeTextBox(client, name, maxLength, twipsRect(left, top, width, kBoxHeight));
    };

    QLabel *title = makeLabel(client, "Label1", QStringLiteral("Escalator Rated Load"),
        twipsRect(3180, 0, 2655, 375), Qt::AlignHCenter | Qt::AlignTop);
    title->setFont(windowFont(12));

    label("Label3", QStringLiteral("Escalator ID:"), kLabelLeft, 480, 3795,
        QStringLiteral(" A maximum of 30 characters may be used to identify this unit "));
    ui.txtID = makeTextBox(client, "txtID", 30, twipsRect(360, 930, 3795, kBoxHeight));

    ui.cmdImperial = makeButton(client, "cmdImperial", QStringLiteral("&Imperial"),
        twipsRect(kImperialLeft, 870, kBoxWidth, 435));
    ui.cmdMetric = makeButton(client, "cmdMetric", QStringLiteral("&Metric"),
        twipsRect(kMetricLeft, 870, kBoxWidth, 435));
    // The unit buttons head their columns, drawn flat in light green so the colour shows.
    for (QPushButton *button : { ui.cmdImperial, ui.cmdMetric })
        setButtonFace(button, kLightGreen);

    // The measurement rows: label, imperial box and unit, metric box and unit.
    struct MeasurementRow {
        int top;
        const char *label;
        QString caption;
        QString tooltip;
        TextBox **imperial;
        const char *imperialName;
        const char *imperialUnitName;
        QString imperialUnit;
        TextBox **metric;
        const char *metricName;
        const char *metricUnitName;
        QString metricUnit;
    };
    const MeasurementRow measurements[] = {
        { 1680, "Label5", QStringLiteral("Length of the horizontal projection:"),
            QStringLiteral(" Span = Face of support to face of support "), &ui.txtProjImp,
            "txtProjImp", "Label9", QStringLiteral("Ft"), &ui.txtProjMet, "txtProjMet", "Label13",
            QStringLiteral("M") },
        { 2160, "Label8", QStringLiteral("Total rise:"), {}, &ui.txtRiseImp, "txtRiseImp",
            "Label10", QStringLiteral("Ft"), &ui.txtRiseMet, "txtRiseMet", "Label14",
            QStringLiteral("M") },
        { 2640, "Label6", QStringLiteral("Width of the escalator step:"), {}, &ui.txtWidthImp,
            "txtWidthImp", "Label11", QStringLiteral("In"), &ui.txtWidthMet, "txtWidthMet",
            "Label15", QStringLiteral("MM") },
    };
    for (const MeasurementRow &row : measurements) {
        label(row.label, row.caption, kLabelLeft, row.top + 60, kLabelWidth, row.tooltip);
        *row.imperial = box(row.imperialName, 7, kImperialLeft, row.top);
        label(row.imperialUnitName, row.imperialUnit, kImperialUnitLeft, row.top + 120, kUnitWidth);
        *row.metric = box(row.metricName, 7, kMetricLeft, row.top);
        label(row.metricUnitName, row.metricUnit, kMetricUnitLeft, row.top + 120, kUnitWidth);
    }

    label("Label7", QStringLiteral("Angle of inclination:"), kLabelLeft, 3180, kLabelWidth,
        QStringLiteral(
            " The angle of inclination shall be designed not to exceed 30 degrees plus 1 "
            "degree due to site conditions "));
    ui.txtDeg = box("txtDeg", 2, kImperialLeft, 3120, 495);
    label("Label12", QStringLiteral("Deg"), 5220, 3240, kUnitWidth);
    ui.txtMin = box("txtMin", 2, 5940, 3120, 495);
    label("Label16", QStringLiteral("Min"), 6540, 3240, kUnitWidth);

    label("Label2", QStringLiteral("Cotangent of the angle of inclination:"), kLabelLeft, 3960);
    ui.txtCotangent = box("txtCotangent", 8, kImperialLeft, 3900);

    struct ResultRow {
        int top;
        const char *label;
        QString caption;
        QString tooltip;
        TextBox **pounds;
        const char *poundsName;
        const char *poundsUnitName;
        TextBox **kilograms;
        const char *kilogramsName;
        const char *kilogramsUnitName;
    };
    const ResultRow results[] = {
        { 4380, "Label19", QStringLiteral("Structural rated load:"),
            QStringLiteral(" Used for the purpose of structural design "), &ui.txtStructImp,
            "txtStructImp", "Label18", &ui.txtStructMet, "txtStructMet", "Label17" },
        { 4860, "Label22", QStringLiteral("Machinery rated load:"),
            QStringLiteral(" Used for the purpose of driving machine and power transmission "
                           "calculations...Some authorities also designate this load as "
                           "\"Capacity rated load\" "),
            &ui.txtMachImp, "txtMachImp", "Label21", &ui.txtMachMet, "txtMachMet", "Label20" },
        { 5340, "Label25", QStringLiteral("Brake rated load - static:"),
            QStringLiteral(
                " Used for the purpose of brake calculations with the escalator stopped "),
            &ui.txtBrakeStopImp, "txtBrakeStopImp", "Label24", &ui.txtBrakeStopMet,
            "txtBrakeStopMet", "Label23" },
        { 5820, "Label28", QStringLiteral("Brake rated load - running:"),
            QStringLiteral(
                " Used for the purpose of brake calculations with the escalator running "),
            &ui.txtBrakeRunImp, "txtBrakeRunImp", "Label27", &ui.txtBrakeRunMet, "txtBrakeRunMet",
            "Label26" },
    };
    for (const ResultRow &row : results) {
        label(row.label, row.caption, kLabelLeft, row.top + 60, kLabelWidth, row.tooltip);
        *row.pounds = box(row.poundsName, 7, kImperialLeft, row.top);
        label(
            row.poundsUnitName, QStringLiteral("Lb"), kImperialUnitLeft, row.top + 120, kUnitWidth);
        *row.kilograms = box(row.kilogramsName, 7, kMetricLeft, row.top);
        label(row.kilogramsUnitName, QStringLiteral("Kg"), kMetricUnitLeft, row.top + 120,
            kUnitWidth);
    }

    ui.cmdCalculate = makeButton(
        client, "cmdCalculate", QStringLiteral("&Calculate"), twipsRect(1950, 6540, 1215, 495));
    ui.cmdClear = makeButton(
        client, "cmdClear", QStringLiteral("C&lear"), twipsRect(3900, 6540, 1215, 495));
    ui.cmdClear->setToolTip(QStringLiteral(" Clears all text boxes "));
    ui.cmdExit
        = makeButton(client, "cmdExit", QStringLiteral("E&xit"), twipsRect(5850, 6540, 1215, 495));
    ui.cmdCalculate->setDefault(true);

    // Editable boxes are white with a tab stop; boxes the user may not edit are locked, yellow
    // and skipped by Tab. The window opens in the imperial arrangement.
    for (TextBox *editable :
        { ui.txtID, ui.txtProjImp, ui.txtRiseImp, ui.txtWidthImp, ui.txtDeg, ui.txtMin }) {
        editable->setTabStop(true);
        editable->setLocked(false);
        editable->setBackColor(kWhite);
    }
    for (TextBox *display : { ui.txtProjMet, ui.txtRiseMet, ui.txtWidthMet, ui.txtCotangent,
             ui.txtStructImp, ui.txtStructMet, ui.txtMachImp, ui.txtMachMet, ui.txtBrakeStopImp,
             ui.txtBrakeStopMet, ui.txtBrakeRunImp, ui.txtBrakeRunMet }) {
        display->setTabStop(false);
        display->setLocked(true);
        display->setBackColor(kYellow);
    }
    ui.cmdImperial->setFocusPolicy(Qt::ClickFocus);
    ui.cmdMetric->setFocusPolicy(Qt::ClickFocus);

    const std::pair<QWidget *, int> tabIndices[] = {
        { ui.txtProjImp, 0 },
        { ui.txtProjMet, 1 },
        { ui.txtRiseImp, 2 },
        { ui.txtRiseMet, 3 },
        { ui.txtWidthImp, 4 },
        { ui.txtWidthMet, 5 },
        { ui.txtDeg, 6 },
        { ui.txtMin, 7 },
        { ui.cmdImperial, 13 },
        { ui.cmdMetric, 14 },
        { ui.txtStructMet, 23 },
        { ui.txtStructImp, 24 },
        { ui.txtMachMet, 28 },
        { ui.txtMachImp, 29 },
        { ui.txtBrakeStopMet, 33 },
        { ui.txtBrakeStopImp, 34 },
        { ui.txtBrakeRunMet, 38 },
        { ui.txtBrakeRunImp, 39 },
        { ui.cmdCalculate, 43 },
        { ui.cmdClear, 44 },
        { ui.cmdExit, 45 },
        { ui.txtCotangent, 47 },
        { ui.txtID, 48 },
    };
    for (const auto &[control, index] : tabIndices)
        m_form->addControl(control, index);
    m_form->setDefaultButton(ui.cmdCalculate);
    m_form->setCancelButton(ui.cmdExit);
    describeControls();
}

void Marrowstep::describeControls()
{
    // What a screen reader says for each box and button: the label the user sees beside it with
    // its unit, and the label's tooltip.
    const QString span = QStringLiteral("Span = Face of support to face of support");
    const QString angle = QStringLiteral("The angle of inclination shall be designed not to exceed "
                                         "30 degrees plus 1 degree due to site conditions");
    const QString structural = QStringLiteral("Used for the purpose of structural design");
    const QString machinery = QStringLiteral(
        "Used for the purpose of driving machine and power transmission calculations");
    const QString brakeStatic
        = QStringLiteral("Used for the purpose of brake calculations with the escalator stopped");
    const QString brakeRunning
        = QStringLiteral("Used for the purpose of brake calculations with the escalator running");
    const struct {
        QWidget *control;
        const char *name;
        QString description;
    } descriptions[] = {
        { ui.txtID, "Escalator ID",
            QStringLiteral("A maximum of 30 characters may be used to identify this unit") },
        { ui.txtProjImp, "Length of the horizontal projection, feet", span },
        { ui.txtProjMet, "Length of the horizontal projection, meters", span },
        { ui.txtRiseImp, "Total rise, feet", {} },
        { ui.txtRiseMet, "Total rise, meters", {} },
        { ui.txtWidthImp, "Width of the escalator step, inches", {} },
        { ui.txtWidthMet, "Width of the escalator step, millimeters", {} },
        { ui.txtDeg, "Angle of inclination, degrees", angle },
        { ui.txtMin, "Angle of inclination, minutes", angle },
        { ui.txtCotangent, "Cotangent of the angle of inclination", {} },
        { ui.txtStructImp, "Structural rated load, pounds", structural },
        { ui.txtStructMet, "Structural rated load, kilograms", structural },
        { ui.txtMachImp, "Machinery rated load, pounds", machinery },
        { ui.txtMachMet, "Machinery rated load, kilograms", machinery },
        { ui.txtBrakeStopImp, "Brake rated load - static, pounds", brakeStatic },
        { ui.txtBrakeStopMet, "Brake rated load - static, kilograms", brakeStatic },
        { ui.txtBrakeRunImp, "Brake rated load - running, pounds", brakeRunning },
        { ui.txtBrakeRunMet, "Brake rated load - running, kilograms", brakeRunning },
        { ui.cmdImperial, "Imperial",
            QStringLiteral("Type the measurements in feet and inches (Alt+I)") },
        { ui.cmdMetric, "Metric",
            QStringLiteral("Type the measurements in meters and millimeters (Alt+M)") },
        { ui.cmdCalculate, "Calculate",
            QStringLiteral("Calculates the cotangent and the rated loads (Enter, Alt+C)") },
        { ui.cmdClear, "Clear", QStringLiteral("Clears all text boxes (Alt+L)") },
        { ui.cmdExit, "Exit", QStringLiteral("Closes the window (Esc, Alt+X)") },
    };
    for (const auto &entry : descriptions) {
        entry.control->setAccessibleName(QString::fromLatin1(entry.name));
        entry.control->setAccessibleDescription(entry.description);
    }
}

void Marrowstep::createMenus()
{
    ui.mnuPrint = menuBar()->addMenu(QStringLiteral("&Print"));
    ui.mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    ui.mnuPrintData = ui.mnuPrint->addAction(QStringLiteral("Print &Data"));
    ui.mnuPrintData->setObjectName(QStringLiteral("mnuPrintData"));
    ui.mnuPrintData->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    ui.mnuPrintForm = ui.mnuPrint->addAction(QStringLiteral("Print &Form"));
    ui.mnuPrintForm->setObjectName(QStringLiteral("mnuPrintForm"));
    ui.mnuPrintForm->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));

    ui.mnuHelp = menuBar()->addMenu(QStringLiteral("I&nfo"));
    ui.mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    ui.mnuRAT = ui.mnuHelp->addAction(QStringLiteral("&Right-Angled Triangle"));
    ui.mnuRAT->setObjectName(QStringLiteral("mnuRAT"));
    ui.mnuRAT->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    for (QAction *item : { ui.mnuPrintData, ui.mnuPrintForm, ui.mnuRAT })
        item->setShortcutContext(Qt::WindowShortcut);
}

void Marrowstep::connectHandlers()
{
    connect(ui.cmdCalculate, &QPushButton::clicked, this, &Marrowstep::cmdCalculate_Click);
    connect(ui.cmdClear, &QPushButton::clicked, this, &Marrowstep::cmdClear_Click);
    connect(ui.cmdExit, &QPushButton::clicked, this, &Marrowstep::cmdExit_Click);
    connect(ui.cmdImperial, &QPushButton::clicked, this, &Marrowstep::cmdImperial_Click);
    connect(ui.cmdMetric, &QPushButton::clicked, this, &Marrowstep::cmdMetric_Click);
    connect(ui.mnuPrintData, &QAction::triggered, this, &Marrowstep::mnuPrintData_Click);
    connect(ui.mnuPrintForm, &QAction::triggered, this, &Marrowstep::mnuPrintForm_Click);
    connect(ui.mnuRAT, &QAction::triggered, this, &Marrowstep::mnuRAT_Click);

    const std::pair<TextBox *, void (Marrowstep::*)()> changeHandlers[] = {
        { ui.txtProjImp, &Marrowstep::txtProjImp_Change },
        { ui.txtRiseImp, &Marrowstep::txtRiseImp_Change },
        { ui.txtWidthImp, &Marrowstep::txtWidthImp_Change },
        { ui.txtProjMet, &Marrowstep::txtProjMet_Change },
        { ui.txtRiseMet, &Marrowstep::txtRiseMet_Change },
        { ui.txtWidthMet, &Marrowstep::txtWidthMet_Change },
        { ui.txtDeg, &Marrowstep::txtDeg_Change },
        { ui.txtMin, &Marrowstep::txtMin_Change },
    };
    for (const auto &[box, handler] : changeHandlers)
        connect(box, &TextBox::changed, this, handler);

    const std::pair<TextBox *, void (Marrowstep::*)()> gotFocusHandlers[] = {
        { ui.txtProjImp, &Marrowstep::txtProjImp_GotFocus },
        { ui.txtProjMet, &Marrowstep::txtProjMet_GotFocus },
        { ui.txtRiseImp, &Marrowstep::txtRiseImp_GotFocus },
        { ui.txtRiseMet, &Marrowstep::txtRiseMet_GotFocus },
        { ui.txtWidthImp, &Marrowstep::txtWidthImp_GotFocus },
        { ui.txtWidthMet, &Marrowstep::txtWidthMet_GotFocus },
        { ui.txtDeg, &Marrowstep::txtDeg_GotFocus },
        { ui.txtMin, &Marrowstep::txtMin_GotFocus },
        { ui.txtStructImp, &Marrowstep::txtStructImp_GotFocus },
        { ui.txtStructMet, &Marrowstep::txtStructMet_GotFocus },
        { ui.txtMachImp, &Marrowstep::txtMachImp_GotFocus },
        { ui.txtMachMet, &Marrowstep::txtMachMet_GotFocus },
        { ui.txtBrakeStopImp, &Marrowstep::txtBrakeStopImp_GotFocus },
        { ui.txtBrakeStopMet, &Marrowstep::txtBrakeStopMet_GotFocus },
        { ui.txtBrakeRunImp, &Marrowstep::txtBrakeRunImp_GotFocus },
        { ui.txtBrakeRunMet, &Marrowstep::txtBrakeRunMet_GotFocus },
    };
    for (const auto &[box, handler] : gotFocusHandlers)
        m_form->onGotFocus(box, [this, handler = handler] { (this->*handler)(); });

    const std::pair<TextBox *, void (Marrowstep::*)()> lostFocusHandlers[] = {
        { ui.txtDeg, &Marrowstep::txtDeg_LostFocus },
        { ui.txtMin, &Marrowstep::txtMin_LostFocus },
        { ui.txtWidthImp, &Marrowstep::txtWidthImp_LostFocus },
        { ui.txtWidthMet, &Marrowstep::txtWidthMet_LostFocus },
    };
    for (const auto &[box, handler] : lostFocusHandlers)
        m_form->onLostFocus(box, [this, handler = handler] { (this->*handler)(); });
}

void Marrowstep::Form_Load()
{
    ImperialMode = true;
    ui.txtDeg->setFieldText(QStringLiteral("30"));
    ui.txtMin->setFieldText(QStringLiteral("0"));
}

void Marrowstep::ClearAnswers()
{
    for (TextBox *result :
        { ui.txtStructImp, ui.txtMachImp, ui.txtBrakeStopImp, ui.txtBrakeRunImp, ui.txtStructMet,
            ui.txtMachMet, ui.txtBrakeStopMet, ui.txtBrakeRunMet, ui.txtCotangent })
        result->setFieldText(QString());
}

void Marrowstep::cmdClear_Click()
{
    for (TextBox *field : { ui.txtProjImp, ui.txtProjMet, ui.txtRiseImp, ui.txtRiseMet,
             ui.txtWidthImp, ui.txtWidthMet, ui.txtDeg, ui.txtMin, ui.txtStructImp, ui.txtStructMet,
             ui.txtMachImp, ui.txtMachMet, ui.txtBrakeStopImp, ui.txtBrakeStopMet,
             ui.txtBrakeRunImp, ui.txtBrakeRunMet, ui.txtCotangent })
        field->setFieldText(QString());
    // In metric mode, blanking a metric box wrote the conversion of the empty text, 0, into its
    // imperial twin; blank those again.
    for (TextBox *field : { ui.txtProjImp, ui.txtRiseImp, ui.txtWidthImp })
        field->setFieldText(QString());
    ui.txtDeg->setFieldText(QStringLiteral("30"));
    m_form->setFocusTo(ImperialMode ? ui.txtProjImp : ui.txtProjMet);
}

void Marrowstep::cmdExit_Click()
{
    close();
}

void Marrowstep::mnuRAT_Click()
{
    if (!m_triangle) {
        // No parent: the triangle window lives beside the main window and keeps the program
        // running after the main window has closed.
        m_triangle = new frmTriangle(m_services);
        m_triangle->setAttribute(Qt::WA_DeleteOnClose);
        m_triangle->show();
        Q_EMIT triangleOpened(m_triangle);
    } else {
        m_triangle->show();
        m_triangle->raise();
    }
    m_triangle->activateWindow();
}

void Marrowstep::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) Q_EMIT closed();
}

void Marrowstep::showEvent(QShowEvent *event)
{
    if (!m_centred) {
        m_centred = true;
        centreOnScreen(this);
    }
    QMainWindow::showEvent(event);
}

} // namespace kestrune
