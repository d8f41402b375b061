// SPDX-License-Identifier: GPL-3.0-or-later
#include "triangle/trianglewindow.h"

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/geometry.h"
#include "platform/textbox.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace kestrune {

namespace {

// Every text box and button of a row is this high; the row's labels stand lower and are
// shorter, so their text lines up with the text in the boxes. In twips.
constexpr int kBoxHeight = 360;
constexpr int kLabelDrop = 60;
constexpr int kLabelHeight = 255;
constexpr int kNameWidth = 315;
constexpr int kUnitWidth = 435;
constexpr int kResultWidth = 1155;

// The rows as they stand, in the solver's order, by the numbers in the names of their boxes
// (TextN), button (CommandN) and labels (LabelN). What the first column holds: a side row's first
// side box and its unit label; an angle row's "Deg" and "Min" headings, degrees and minutes boxes.
struct RowLayout {
    int top;
    const char *name;
    int nameLabel;
    std::array<int, 4> first;
    const char *andName;
    int andLabel, side, sideUnit, command;
    const char *caption;
    int result, resultUnit;
};

constexpr RowLayout kRowLayouts[] = {
    { 3960, "a=", 20, { 1, 32 }, " &&        b=", 21, 2, 34, 1, "h =", 3, 29 },
    { 4440, "a=", 24, { 4, 33 }, " &&        h=", 23, 5, 35, 2, "b =", 6, 30 },
    { 4920, "b=", 58, { 23, 56 }, " &&        h=", 59, 24, 55, 7, "a =", 25, 57 },
    { 5880, "A=", 25, { 27, 28, 7, 10 }, "&&       a=", 26, 8, 36, 3, "b =", 9, 31 },
    { 6600, "B=", 42, { 40, 39, 11, 12 }, "&&       b=", 41, 13, 37, 4, "a=", 14, 38 },
    { 7320, "A=", 43, { 45, 46, 15, 16 }, "&&       b=", 44, 17, 48, 5, "h=", 18, 47 },
    { 8040, "B=", 54, { 52, 51, 20, 19 }, "&&       a=", 53, 22, 49, 6, "h=", 21, 50 },
    { 8760, "A=", 71, { 69, 68, 31, 30 }, "&&       h=", 70, 33, 66, 9, "a=", 32, 67 },
    { 9480, "B=", 60, { 62, 63, 28, 29 }, "&&       h=", 61, 26, 65, 8, "a=", 27, 64 },
};

QByteArray numbered(const char *prefix, int number)
{
    return prefix + QByteArray::number(number);
}

} // namespace

TextBox *TriangleRow::*TriangleRow::member(TriangleQuantity quantity)
{
    using enum TriangleQuantity;
    return quantity == a      ? &TriangleRow::sideA
        : quantity == b       ? &TriangleRow::sideB
        : quantity == h       ? &TriangleRow::hypotenuse
        : quantity == degrees ? &TriangleRow::degrees
                              : &TriangleRow::minutes;
}

std::vector<TextBox *> TriangleRow::inputs() const
{
    if (rule->angleRow()) return { degrees, minutes, box(rule->known[0]) };
    return { box(rule->known[0]), box(rule->known[1]) };
}

TriangleWindow::TriangleWindow(Services &services)
    : FormWindow(services, "triangle",
        QStringLiteral("Trigonometric Functions in a Right-Angled Triangle"), 17, 10470, 10080)
{
    // The window is exactly its client area. Fixing the window's own size, not only its layout's,
    // gives the window manager size hints it honours to the pixel at fractional scale factors.
    setFixedSize(client()->size());
    createControls();
    wireBehaviour();
    // The picture's lines are drawn on the client area, beneath its labels.
    client()->installEventFilter(this);
}

TriangleWindow::~TriangleWindow() = default;

void TriangleWindow::createControls()
{
    QWidget *area = client();
    auto label = [area](int number, const QString &caption, int left, int top, int width,
                     int height = kLabelHeight, Qt::Alignment alignment = Qt::AlignLeft) {
        return makeLabel(area, numbered("Label", number).constData(), caption,
            twipsRect(left, top, width, height), alignment | Qt::AlignTop);
    };
    auto centred = [&label](int number, const QString &caption, int left, int top, int width,
                       int height = kLabelHeight) {
        return label(number, caption, left, top, width, height, Qt::AlignHCenter);
    };

    // The definitions of the six functions of the angle A.
    label(8,
        QStringLiteral("If A, B, and C are the vertices ( C the right angle ), and a, b, and h "
                       "the sides opposite respectively then:"),
        180, 240, 5655, 615)
        ->setWordWrap(true);
    const std::pair<int, QString> definitions[] = {
        { 7, QStringLiteral("sine A = sin A = a/h") },
        { 9, QStringLiteral("tangent A = tan A = a/b") },
        { 10, QStringLiteral("secant A = sec A = h/b") },
        { 11, QStringLiteral("cosine A = cos A = b/h") },
        { 12, QStringLiteral("cotangent A = cot A = ctn A = b/a") },
        { 13, QStringLiteral("cosecant A = csc A = h/a") },
    };
    int top = 1020;
    for (const auto &[number, caption] : definitions) {
        label(number, caption, 660, top, 4635, 375);
        top += 360;
    }

    // The picture: vertices, sides and angles of the triangle as an escalator stands in it (A
    // the lower working point, B the upper one). Its lines are drawn by drawPicture.
    centred(1, QStringLiteral("A"), 6300, 1680, 195);
    centred(2, QStringLiteral("B"), 9360, 180, 195);
    centred(3, QStringLiteral("C"), 9360, 1680, 195);
    label(4, QStringLiteral("a"), 9360, 960, 855);
    centred(5, QStringLiteral("b"), 7680, 1920, 975, 195);
    label(6, QStringLiteral("h"), 6900, 780, 915, kLabelHeight, Qt::AlignRight);
    label(16, QStringLiteral("30\u00B0"), 7080, 1560, 975, 195)->setFont(windowFont(8.25));
    label(15, QStringLiteral("60\u00B0"), 8880, 540, 315, 195)->setFont(windowFont(8.25));
    centred(14, QStringLiteral("90\u00B0"), 8880, 1560, 315, 195)->setFont(windowFont(8.25));
    label(17, QStringLiteral("Typical escalator geometry"), 6480, 2220, 2895);

    auto *frame = new QFrame(area);
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

    label(18, QStringLiteral("If you know...."), 1620, 3480, 1695);
    label(19, QStringLiteral("....you can find:"), 5700, 3480, 2055);

    // The solver's rows. Sides are plain numbers in whatever length unit the user works in: every
    // side box is followed by the same unit label. Every row ends with its button and result box.
    auto unitLabel = [&centred](int number, int left, int top) {
        centred(number, QStringLiteral("Ft/M"), left, top + kLabelDrop, kUnitWidth);
    };
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const RowLayout &r = kRowLayouts[i];
        TriangleRow &row = m_rows[i];
        const TriangleRowRule &rule = kTriangleRows[i];
        row.rule = &rule;
        // What a screen reader says: the row and the quantity ("Row 4, angle A, degrees").
        const QString prefix = QStringLiteral("Row %1, ").arg(rule.number);
        const QString angle = QStringLiteral("angle %1, ").arg(QLatin1Char(rule.vertex));
        auto side
            = [](TriangleQuantity q) { return QStringLiteral("side ") + QLatin1Char(char(q)); };
        auto box
            = [&](TriangleQuantity quantity, int number, int left, int width, const QString &what) {
                  TextBox *&made = row.box(quantity);
                  made = makeTextBox(area, numbered("Text", number).constData(),
                      static_cast<int>(TriangleBoxLength(rule, quantity)),
                      twipsRect(left, r.top, width, kBoxHeight));
                  made->setAccessibleName(prefix + what);
              };
        centred(r.nameLabel, QString::fromLatin1(r.name), 180, r.top + kLabelDrop, kNameWidth);
        if (rule.angleRow()) {
            centred(r.first[0], QStringLiteral("Deg"), 540, r.top - 300, 495);
            centred(r.first[1], QStringLiteral("Min"), 1080, r.top - 300, 495);
            box(TriangleQuantity::degrees, r.first[2], 540, 495, angle + QStringLiteral("degrees"));
            box(TriangleQuantity::minutes, r.first[3], 1080, 795,
                angle + QStringLiteral("minutes"));
        } else {
            box(rule.known[0], r.first[0], 540, 975, side(rule.known[0]));
            unitLabel(r.first[1], 1560, r.top);
        }
        // The second quantity's name and box end where those of the side rows do.
        const int andLeft = rule.angleRow() ? 2460 : 2340;
        centred(r.andLabel, QString::fromLatin1(r.andName), andLeft, r.top + kLabelDrop,
            3375 - andLeft);
        const int sideWidth = rule.angleRow() ? 795 : 975;
        const TriangleQuantity second = rule.known[rule.angleRow() ? 0 : 1];
        box(second, r.side, 3420, sideWidth, side(second));
        unitLabel(r.sideUnit, 3465 + sideWidth, r.top);
        row.solve = makeButton(area, numbered("Command", r.command).constData(),
            QString::fromLatin1(r.caption), twipsRect(5400, r.top, 495, kBoxHeight));
        row.solve->setAccessibleName(
            prefix + QStringLiteral("find ") + QLatin1Char(char(rule.found)));
        box(rule.found, r.result, 6060, kResultWidth, side(rule.found));
        unitLabel(r.resultUnit, 7260, r.top);
    }

    // The angle display beside the side rows: A, B and C in whole degrees and minutes.
    centred(72, QStringLiteral("Deg"), 9000, 3600, 495);
    centred(73, QStringLiteral("Min"), 9810, 3600, 435);
    for (int line = 0; line < 3; ++line) {
        const int top = kRowLayouts[line].top;
        const QString vertex(QLatin1Char("ABC"[line]));
        centred(74 + line, vertex + QLatin1Char('='), 8520, top + kLabelDrop, kNameWidth);
        for (const int part : { 0, 1 }) {
            TextBox *&shown = m_angleDisplay.at(static_cast<std::size_t>(2 * line + part));
            shown = makeTextBox(area, numbered("Text", 34 + 2 * line + part).constData(), 0,
                twipsRect(part == 0 ? 9000 : 9780, top, 495, kBoxHeight));
            shown->setAccessibleName(
                QStringLiteral("Angle %1, %2")
                    .arg(
                        vertex, part == 0 ? QStringLiteral("degrees") : QStringLiteral("minutes")));
        }
    }
}

void TriangleWindow::wireBehaviour()
{
    // The user types into the white input boxes and moves between them with Tab, row by row,
    // each row's button after its inputs. Results and the angle display are yellow and locked;
    // a click still focuses them so their text can be selected and copied. Row 6's result, like
    // the angle display, has no focus handling: a click into it selects nothing.
    QList<TextBox *> selecting;
    std::vector<TextBox *> shown;
    int tabIndex = 0;
    for (const TriangleRow &row : m_rows) {
        for (TextBox *input : row.inputs()) {
            input->setEditable(true);
            form().addControl(input, tabIndex++);
            selecting << input;
            // A change withdraws what was derived from the input: its row's result and the angle
            // display, nothing else.
            connect(input, &TextBox::changed, this, [this, &row] {
                row.result()->setFieldText(QString());
                for (TextBox *angle : m_angleDisplay)
                    angle->setFieldText(QString());
            });
        }
        form().addControl(row.solve, tabIndex++);
        connect(row.solve, &QPushButton::clicked, this,
            [this, &row] { SolveTriangle(*row.rule, *this); });
        shown.push_back(row.result());
        if (row.rule->number != 6) selecting << row.result();
    }
    shown.insert(shown.end(), m_angleDisplay.begin(), m_angleDisplay.end());
    for (TextBox *box : shown) {
        box->setEditable(false);
        form().addControl(box, tabIndex++);
    }
    selectTextOnFocus(selecting);
}

bool TriangleWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == client() && event->type() == QEvent::Paint) drawPicture();
    return FormWindow::eventFilter(watched, event);
}

void TriangleWindow::drawPicture()
{
    // The picture's three sides: thin solid lines in the window's text colour, one pixel wide at
    // 100% and growing with the screen's scale like the rest of the window.
    QPainter painter(client());
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::SolidLine));
    auto point = [](int left, int top) { return QPoint(twips(left), twips(top)); };
    painter.drawLine(point(6600, 1795), point(9240, 270)); // Line1, the hypotenuse h
    painter.drawLine(point(6600, 1800), point(9240, 1800)); // Line2, the side b
    painter.drawLine(point(9240, 270), point(9240, 1795)); // Line3, the side a
}

} // namespace kestrune
