// SPDX-License-Identifier: GPL-3.0-or-later
#include "triangle/frmtriangle.h"

#include "core/appinfo.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/geometry.h"
#include "platform/qttext.h"
#include "platform/textbox.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace kestrune {

namespace {

// Every text box and button of a row is this high; the row's labels stand lower and are
// shorter, so their text lines up with the text in the boxes.
constexpr int kBoxHeight = 360;
constexpr int kLabelDrop = 60;
constexpr int kLabelHeight = 255;
constexpr int kNameLeft = 180;
constexpr int kNameWidth = 315;
constexpr int kUnitWidth = 435;
constexpr int kButtonLeft = 5400;
constexpr int kButtonWidth = 495;
constexpr int kResultLeft = 6060;
constexpr int kResultWidth = 1155;
constexpr int kResultUnitLeft = 7260;

// Most characters a field holds: the sides of the side rows, the degrees and minutes of an
// angle, the sides of the angle rows. Results and the angle display take any length.
constexpr int kSideRowSideLength = 7;
constexpr int kDegreesLength = 2;
constexpr int kMinutesLength = 6;
constexpr int kAngleRowSideLength = 6;
constexpr int kNoLimit = 0;

const QString kUnit = QStringLiteral("Ft/M");

} // namespace

frmTriangle::frmTriangle(Services &services, QWidget *parent)
    : QWidget(parent, Qt::Window), m_services(services)
{
    setObjectName(QStringLiteral("triangle"));
    setWindowTitle(QStringLiteral("Trigonometric Functions in a Right-Angled Triangle")
        + QString(17, QLatin1Char(' ')) + fromUtf8(kWebAddress));
    // A fixed layout: the frame offers minimise and close, but no maximise.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(twips(10470), twips(10080));
    setFont(windowFont());
    m_form = new Form(this);
    createControls();
    connectHandlers();
}

frmTriangle::~frmTriangle() = default;

void frmTriangle::createControls()
{
    auto label
        = [this](const char *name, const QString &caption, int left, int top, int width,
              int height = kLabelHeight, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
              return makeLabel(this, name, caption, twipsRect(left, top, width, height), alignment);
          };
    auto centred = [&label](const char *name, const QString &caption, int left, int top, int width,
                       int height = kLabelHeight) {
        return label(name, caption, left, top, width, height, Qt::AlignHCenter | Qt::AlignTop);
    };
    auto box = [this](const char *name, int maxLength, int left, int top, int width) {
        return makeTextBox(this, name, maxLength, twipsRect(left, top, width, kBoxHeight));
    };
    auto button = [this](const char *name, const QString &caption, int top) {
        return makeButton(
            this, name, caption, twipsRect(kButtonLeft, top, kButtonWidth, kBoxHeight));
    };

    // The definitions of the six functions of the angle A.
    label("Label8",
        QStringLiteral("If A, B, and C are the vertices ( C the right angle ), and a, b, and h "
                       "the sides opposite respectively then:"),
        180, 240, 5655, 615)
        ->setWordWrap(true);
    const std::pair<const char *, QString> definitions[] = {
        { "Label7", QStringLiteral("sine A = sin A = a/h") },
        { "Label9", QStringLiteral("tangent A = tan A = a/b") },
        { "Label10", QStringLiteral("secant A = sec A = h/b") },
        { "Label11", QStringLiteral("cosine A = cos A = b/h") },
        { "Label12", QStringLiteral("cotangent A = cot A = ctn A = b/a") },
        { "Label13", QStringLiteral("cosecant A = csc A = h/a") },
    };
    int top = 1020;
    for (const auto &[name, caption] : definitions) {
        label(name, caption, 660, top, 4635, 375);
        top += 360;
    }

    // The picture: vertices, sides and angles of the triangle as an escalator stands in it (A
    // the lower working point, B the upper one). Its lines are drawn by paintEvent.
    centred("Label1", QStringLiteral("A"), 6300, 1680, 195);
    centred("Label2", QStringLiteral("B"), 9360, 180, 195);
    centred("Label3", QStringLiteral("C"), 9360, 1680, 195);
    label("Label4", QStringLiteral("a"), 9360, 960, 855);
    centred("Label5", QStringLiteral("b"), 7680, 1920, 975, 195);
    label(
        "Label6", QStringLiteral("h"), 6900, 780, 915, kLabelHeight, Qt::AlignRight | Qt::AlignTop);
    label("Label16", QStringLiteral("30\u00B0"), 7080, 1560, 975, 195)->setFont(windowFont(8.25));
    label("Label15", QStringLiteral("60\u00B0"), 8880, 540, 315, 195)->setFont(windowFont(8.25));
    centred("Label14", QStringLiteral("90\u00B0"), 8880, 1560, 315, 195)->setFont(windowFont(8.25));
    label("Label17", QStringLiteral("Typical escalator geometry"), 6480, 2220, 2895);

    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->setGeometry(twipsRect(5460, 2520, 4815, 675));
    QLabel *note = makeLabel(frame, "Label22",
        QStringLiteral("A would be the lower working point and B would be the upper working "
                       "point. Most escalators have an angle of inclination of 30\u00B0."),
        twipsRect(60, 180, 4695, 435));
    note->setFont(windowFont(8.25, false));
    note->setWordWrap(true);
    // Where the system lacks the designed face, the fallback face is wider and the note needs a
    // third line: it then takes the frame's full inner height, so its last words stay visible.
    if (const int needed = note->heightForWidth(note->width()); needed > note->height()) {
        const int height = std::min(needed, frame->height() - 2 * frame->frameWidth());
        note->setGeometry(note->x(), (frame->height() - height) / 2, note->width(), height);
    }

    // The solver: headings, three side rows, six angle rows.
    label("Label18", QStringLiteral("If you know...."), 1620, 3480, 1695);
    label("Label19", QStringLiteral("....you can find:"), 5700, 3480, 2055);

    struct SideRow {
        int top;
        const char *nameLabel;
        QString name;
        TextBox **first;
        const char *firstName;
        const char *firstUnit;
        const char *andLabel;
        QString andName;
        TextBox **second;
        const char *secondName;
        const char *secondUnit;
        QPushButton **command;
        const char *commandName;
        QString commandCaption;
        TextBox **result;
        const char *resultName;
        const char *resultUnit;
    };
    // What a screen reader says for each box and button: its row and the quantity its label
    // names ("Row 4, angle A, degrees"; "Row 1, find h").
    int rowNumber = 0;
    auto quantity = [](const QString &caption) {
        const QString name = caption.section(QLatin1Char('='), 0, 0).trimmed();
        return name.mid(name.lastIndexOf(QLatin1Char(' ')) + 1);
    };
    auto describe = [](QWidget *control, int row, const QString &what) {
        control->setAccessibleName(QStringLiteral("Row %1, %2").arg(row).arg(what));
    };
    const SideRow sideRows[] = {
        { 3960, "Label20", QStringLiteral("a="), &ui.Text1, "Text1", "Label32", "Label21",
            QStringLiteral(" &&        b="), &ui.Text2, "Text2", "Label34", &ui.Command1,
            "Command1", QStringLiteral("h ="), &ui.Text3, "Text3", "Label29" },
        { 4440, "Label24", QStringLiteral("a="), &ui.Text4, "Text4", "Label33", "Label23",
            QStringLiteral(" &&        h="), &ui.Text5, "Text5", "Label35", &ui.Command2,
            "Command2", QStringLiteral("b ="), &ui.Text6, "Text6", "Label30" },
        { 4920, "Label58", QStringLiteral("b="), &ui.Text23, "Text23", "Label56", "Label59",
            QStringLiteral(" &&        h="), &ui.Text24, "Text24", "Label55", &ui.Command7,
            "Command7", QStringLiteral("a ="), &ui.Text25, "Text25", "Label57" },
    };
    for (const SideRow &row : sideRows) {
        const int labelTop = row.top + kLabelDrop;
        centred(row.nameLabel, row.name, kNameLeft, labelTop, kNameWidth);
        *row.first = box(row.firstName, kSideRowSideLength, 540, row.top, 975);
        centred(row.firstUnit, kUnit, 1560, labelTop, kUnitWidth);
        centred(row.andLabel, row.andName, 2340, labelTop, 1035);
        *row.second = box(row.secondName, kSideRowSideLength, 3420, row.top, 975);
        centred(row.secondUnit, kUnit, 4440, labelTop, kUnitWidth);
        *row.command = button(row.commandName, row.commandCaption, row.top);
        *row.result = box(row.resultName, kNoLimit, kResultLeft, row.top, kResultWidth);
        centred(row.resultUnit, kUnit, kResultUnitLeft, labelTop, kUnitWidth);
        ++rowNumber;
        describe(*row.first, rowNumber, QStringLiteral("side ") + quantity(row.name));
        describe(*row.second, rowNumber, QStringLiteral("side ") + quantity(row.andName));
        describe(*row.command, rowNumber, QStringLiteral("find ") + quantity(row.commandCaption));
        describe(*row.result, rowNumber, QStringLiteral("side ") + quantity(row.commandCaption));
    }

    struct AngleRow {
        int top;
        const char *nameLabel;
        QString name;
        TextBox **degrees;
        const char *degreesName;
        TextBox **minutes;
        const char *minutesName;
        const char *degreesHeading;
        const char *minutesHeading;
        const char *andLabel;
        QString andName;
        TextBox **side;
        const char *sideName;
        const char *sideUnit;
        QPushButton **command;
        const char *commandName;
        QString commandCaption;
        TextBox **result;
        const char *resultName;
        const char *resultUnit;
    };
    const AngleRow angleRows[] = {
        { 5880, "Label25", QStringLiteral("A="), &ui.Text7, "Text7", &ui.Text10, "Text10",
            "Label27", "Label28", "Label26", QStringLiteral("&&       a="), &ui.Text8, "Text8",
            "Label36", &ui.Command3, "Command3", QStringLiteral("b ="), &ui.Text9, "Text9",
            "Label31" },
        { 6600, "Label42", QStringLiteral("B="), &ui.Text11, "Text11", &ui.Text12, "Text12",
            "Label40", "Label39", "Label41", QStringLiteral("&&       b="), &ui.Text13, "Text13",
            "Label37", &ui.Command4, "Command4", QStringLiteral("a="), &ui.Text14, "Text14",
            "Label38" },
        { 7320, "Label43", QStringLiteral("A="), &ui.Text15, "Text15", &ui.Text16, "Text16",
            "Label45", "Label46", "Label44", QStringLiteral("&&       b="), &ui.Text17, "Text17",
            "Label48", &ui.Command5, "Command5", QStringLiteral("h="), &ui.Text18, "Text18",
            "Label47" },
        { 8040, "Label54", QStringLiteral("B="), &ui.Text20, "Text20", &ui.Text19, "Text19",
            "Label52", "Label51", "Label53", QStringLiteral("&&       a="), &ui.Text22, "Text22",
            "Label49", &ui.Command6, "Command6", QStringLiteral("h="), &ui.Text21, "Text21",
            "Label50" },
        { 8760, "Label71", QStringLiteral("A="), &ui.Text31, "Text31", &ui.Text30, "Text30",
            "Label69", "Label68", "Label70", QStringLiteral("&&       h="), &ui.Text33, "Text33",
            "Label66", &ui.Command9, "Command9", QStringLiteral("a="), &ui.Text32, "Text32",
            "Label67" },
        { 9480, "Label60", QStringLiteral("B="), &ui.Text28, "Text28", &ui.Text29, "Text29",
            "Label62", "Label63", "Label61", QStringLiteral("&&       h="), &ui.Text26, "Text26",
            "Label65", &ui.Command8, "Command8", QStringLiteral("a="), &ui.Text27, "Text27",
            "Label64" },
    };
    for (const AngleRow &row : angleRows) {
        const int labelTop = row.top + kLabelDrop;
        const int headingTop = row.top - 300;
        centred(row.nameLabel, row.name, kNameLeft, labelTop, kNameWidth);
        centred(row.degreesHeading, QStringLiteral("Deg"), 540, headingTop, 495);
        centred(row.minutesHeading, QStringLiteral("Min"), 1080, headingTop, 495);
        *row.degrees = box(row.degreesName, kDegreesLength, 540, row.top, 495);
        *row.minutes = box(row.minutesName, kMinutesLength, 1080, row.top, 795);
        centred(row.andLabel, row.andName, 2460, labelTop, 915);
        *row.side = box(row.sideName, kAngleRowSideLength, 3420, row.top, 795);
        centred(row.sideUnit, kUnit, 4260, labelTop, kUnitWidth);
        *row.command = button(row.commandName, row.commandCaption, row.top);
        *row.result = box(row.resultName, kNoLimit, kResultLeft, row.top, kResultWidth);
        centred(row.resultUnit, kUnit, kResultUnitLeft, labelTop, kUnitWidth);
        ++rowNumber;
        const QString angle = QStringLiteral("angle ") + quantity(row.name);
        describe(*row.degrees, rowNumber, angle + QStringLiteral(", degrees"));
        describe(*row.minutes, rowNumber, angle + QStringLiteral(", minutes"));
        describe(*row.side, rowNumber, QStringLiteral("side ") + quantity(row.andName));
        describe(*row.command, rowNumber, QStringLiteral("find ") + quantity(row.commandCaption));
        describe(*row.result, rowNumber, QStringLiteral("side ") + quantity(row.commandCaption));
    }

    // The angle display beside the side rows: A, B and C in whole degrees and minutes.
    centred("Label72", QStringLiteral("Deg"), 9000, 3600, 495);
    centred("Label73", QStringLiteral("Min"), 9810, 3600, 435);
    struct DisplayLine {
        int top;
        const char *label;
        QString name;
        TextBox **degrees;
        const char *degreesName;
        TextBox **minutes;
        const char *minutesName;
    };
    const DisplayLine display[] = {
        { 3960, "Label74", QStringLiteral("A="), &ui.Text34, "Text34", &ui.Text35, "Text35" },
        { 4440, "Label75", QStringLiteral("B="), &ui.Text36, "Text36", &ui.Text37, "Text37" },
        { 4920, "Label76", QStringLiteral("C="), &ui.Text38, "Text38", &ui.Text39, "Text39" },
    };
    for (const DisplayLine &line : display) {
        centred(line.label, line.name, 8520, line.top + kLabelDrop, kNameWidth);
        *line.degrees = box(line.degreesName, kNoLimit, 9000, line.top, 495);
        *line.minutes = box(line.minutesName, kNoLimit, 9780, line.top, 495);
        const QString angle = QStringLiteral("Angle ") + quantity(line.name);
        (*line.degrees)->setAccessibleName(angle + QStringLiteral(", degrees"));
        (*line.minutes)->setAccessibleName(angle + QStringLiteral(", minutes"));
    }

    // The user types into the white input fields and moves between them with Tab, row by row,
    // each row's button after its inputs. Results and the angle display are yellow and locked;
    // a click still focuses them so their text can be selected and copied.
    const std::pair<QWidget *, int> tabOrder[] = {
        { ui.Text1, 0 },
        { ui.Text2, 1 },
        { ui.Command1, 2 },
        { ui.Text4, 3 },
        { ui.Text5, 4 },
        { ui.Command2, 5 },
        { ui.Text23, 6 },
        { ui.Text24, 7 },
        { ui.Command7, 8 },
        { ui.Text7, 9 },
        { ui.Text10, 10 },
        { ui.Text8, 11 },
        { ui.Command3, 12 },
        { ui.Text11, 13 },
        { ui.Text12, 14 },
        { ui.Text13, 15 },
        { ui.Command4, 16 },
        { ui.Text15, 17 },
        { ui.Text16, 18 },
        { ui.Text17, 19 },
        { ui.Command5, 20 },
        { ui.Text20, 21 },
        { ui.Text19, 22 },
        { ui.Text22, 23 },
        { ui.Command6, 24 },
        { ui.Text31, 25 },
        { ui.Text30, 26 },
        { ui.Text33, 27 },
        { ui.Command9, 28 },
        { ui.Text28, 29 },
        { ui.Text29, 30 },
        { ui.Text26, 31 },
        { ui.Command8, 32 },
    };
    for (const auto &[control, index] : tabOrder) {
        m_form->addControl(control, index);
        if (auto *input = qobject_cast<TextBox *>(control)) {
            input->setTabStop(true);
            input->setLocked(false);
            input->setBackColor(kWhite);
        }
    }
    int index = 33;
    for (TextBox *shown :
        { ui.Text3, ui.Text6, ui.Text25, ui.Text9, ui.Text14, ui.Text18, ui.Text21, ui.Text32,
            ui.Text27, ui.Text34, ui.Text35, ui.Text36, ui.Text37, ui.Text38, ui.Text39 }) {
        shown->setTabStop(false);
        shown->setLocked(true);
        shown->setBackColor(kYellow);
        m_form->addControl(shown, index++);
    }
}

void frmTriangle::connectHandlers()
{
    const std::pair<QPushButton *, void (frmTriangle::*)()> clickHandlers[] = {
        { ui.Command1, &frmTriangle::Command1_Click },
        { ui.Command2, &frmTriangle::Command2_Click },
        { ui.Command3, &frmTriangle::Command3_Click },
        { ui.Command4, &frmTriangle::Command4_Click },
        { ui.Command5, &frmTriangle::Command5_Click },
        { ui.Command6, &frmTriangle::Command6_Click },
        { ui.Command7, &frmTriangle::Command7_Click },
        { ui.Command8, &frmTriangle::Command8_Click },
        { ui.Command9, &frmTriangle::Command9_Click },
    };
    for (const auto &[button, handler] : clickHandlers)
        connect(button, &QPushButton::clicked, this, handler);

    const std::pair<TextBox *, void (frmTriangle::*)()> changeHandlers[] = {
        { ui.Text1, &frmTriangle::Text1_Change },
        { ui.Text2, &frmTriangle::Text2_Change },
        { ui.Text4, &frmTriangle::Text4_Change },
        { ui.Text5, &frmTriangle::Text5_Change },
        { ui.Text23, &frmTriangle::Text23_Change },
        { ui.Text24, &frmTriangle::Text24_Change },
        { ui.Text7, &frmTriangle::Text7_Change },
        { ui.Text10, &frmTriangle::Text10_Change },
        { ui.Text8, &frmTriangle::Text8_Change },
        { ui.Text11, &frmTriangle::Text11_Change },
        { ui.Text12, &frmTriangle::Text12_Change },
        { ui.Text13, &frmTriangle::Text13_Change },
        { ui.Text15, &frmTriangle::Text15_Change },
        { ui.Text16, &frmTriangle::Text16_Change },
        { ui.Text17, &frmTriangle::Text17_Change },
        { ui.Text20, &frmTriangle::Text20_Change },
        { ui.Text19, &frmTriangle::Text19_Change },
        { ui.Text22, &frmTriangle::Text22_Change },
        { ui.Text31, &frmTriangle::Text31_Change },
        { ui.Text30, &frmTriangle::Text30_Change },
        { ui.Text33, &frmTriangle::Text33_Change },
        { ui.Text28, &frmTriangle::Text28_Change },
        { ui.Text29, &frmTriangle::Text29_Change },
        { ui.Text26, &frmTriangle::Text26_Change },
    };
    for (const auto &[box, handler] : changeHandlers)
        connect(box, &TextBox::changed, this, handler);

    // Text18 and the angle display have no focus handling: clicking into them selects nothing.
    const std::pair<TextBox *, void (frmTriangle::*)()> gotFocusHandlers[] = {
        { ui.Text1, &frmTriangle::Text1_GotFocus },
        { ui.Text2, &frmTriangle::Text2_GotFocus },
        { ui.Text3, &frmTriangle::Text3_GotFocus },
        { ui.Text4, &frmTriangle::Text4_GotFocus },
        { ui.Text5, &frmTriangle::Text5_GotFocus },
        { ui.Text6, &frmTriangle::Text6_GotFocus },
        { ui.Text7, &frmTriangle::Text7_GotFocus },
        { ui.Text8, &frmTriangle::Text8_GotFocus },
        { ui.Text9, &frmTriangle::Text9_GotFocus },
        { ui.Text10, &frmTriangle::Text10_GotFocus },
        { ui.Text11, &frmTriangle::Text11_GotFocus },
        { ui.Text12, &frmTriangle::Text12_GotFocus },
        { ui.Text13, &frmTriangle::Text13_GotFocus },
        { ui.Text14, &frmTriangle::Text14_GotFocus },
        { ui.Text15, &frmTriangle::Text15_GotFocus },
        { ui.Text16, &frmTriangle::Text16_GotFocus },
        { ui.Text17, &frmTriangle::Text17_GotFocus },
        { ui.Text19, &frmTriangle::Text19_GotFocus },
        { ui.Text20, &frmTriangle::Text20_GotFocus },
        { ui.Text21, &frmTriangle::Text21_GotFocus },
        { ui.Text22, &frmTriangle::Text22_GotFocus },
        { ui.Text23, &frmTriangle::Text23_GotFocus },
        { ui.Text24, &frmTriangle::Text24_GotFocus },
        { ui.Text25, &frmTriangle::Text25_GotFocus },
        { ui.Text26, &frmTriangle::Text26_GotFocus },
        { ui.Text27, &frmTriangle::Text27_GotFocus },
        { ui.Text28, &frmTriangle::Text28_GotFocus },
        { ui.Text29, &frmTriangle::Text29_GotFocus },
        { ui.Text30, &frmTriangle::Text30_GotFocus },
        { ui.Text31, &frmTriangle::Text31_GotFocus },
        { ui.Text32, &frmTriangle::Text32_GotFocus },
        { ui.Text33, &frmTriangle::Text33_GotFocus },
    };
    for (const auto &[box, handler] : gotFocusHandlers)
        m_form->onGotFocus(box, [this, handler = handler] { (this->*handler)(); });
}

void frmTriangle::TextSelected()
{
    if (TextBox *box = m_form->activeTextBox()) box->selectWhole();
}

void frmTriangle::Text1_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text2_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text3_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text4_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text5_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text6_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text7_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text8_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text9_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text10_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text11_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text12_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text13_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text14_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text15_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text16_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text17_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text19_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text20_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text21_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text22_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text23_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text24_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text25_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text26_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text27_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text28_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text29_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text30_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text31_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text32_GotFocus()
{
    TextSelected();
}
void frmTriangle::Text33_GotFocus()
{
    TextSelected();
}

void frmTriangle::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // The picture's three sides: thin solid lines in the window's text colour, one pixel wide at
    // 100% and growing with the screen's scale like the rest of the window.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::SolidLine));
    auto point = [](int left, int top) { return QPoint(twips(left), twips(top)); };
    painter.drawLine(point(6600, 1795), point(9240, 270)); // Line1, the hypotenuse h
    painter.drawLine(point(6600, 1800), point(9240, 1800)); // Line2, the side b
    painter.drawLine(point(9240, 270), point(9240, 1795)); // Line3, the side a
}

void frmTriangle::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted()) Q_EMIT closed();
}

void frmTriangle::showEvent(QShowEvent *event)
{
    if (!m_centred) {
        m_centred = true;
        centreOnScreen(this);
    }
    QWidget::showEvent(event);
}

} // namespace kestrune
