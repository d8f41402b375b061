// SPDX-License-Identifier: GPL-3.0-or-later
// No caption of either window is cut off, whatever face the system draws it in. Each label's and
// button's caption is drawn as the control draws it (same font, rectangle and alignment), but
// without clipping, on a canvas larger than the control: any ink outside the control's text
// rectangle would be cut off on screen. CTest runs this with the system's fonts and with a font
// configuration that offers only DejaVu, which is wider than the face the layout was made for.
// With KESTRUNE_EXPECTED_FONT set, the windows must really be drawn in that family.

#include "mainwindow/mainwindow.h"
#include "tools/recordingservices.h"

#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

namespace kestrune {
namespace {

struct Caption {
    QRect rect; // where the control draws its text, in its own coordinates
    int flags;
    QString text;
};

Caption captionOf(QWidget *control)
{
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.features
            = button->isDefault() ? QStyleOptionButton::DefaultButton : QStyleOptionButton::None;
        const QRect contents
            = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return { contents, Qt::AlignCenter | Qt::TextShowMnemonic, button->text() };
    }
    auto *label = qobject_cast<QLabel *>(control);
    const int margin = label->margin();
    const QRect contents = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    int flags = static_cast<int>(label->alignment());
    if (label->wordWrap()) flags |= Qt::TextWordWrap;
    return { contents, flags, label->text() };
}

// Ink pixels of the caption that fall outside its rectangle.
int inkOutside(QWidget *control)
{
    const Caption caption = captionOf(control);
    const int pad = 64;
    QImage canvas(caption.rect.size() + QSize(2 * pad, 2 * pad), QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setFont(control->font());
        painter.setPen(Qt::black);
        painter.drawText(QRect(QPoint(pad, pad), caption.rect.size()),
            caption.flags | Qt::TextDontClip, caption.text);
    }
    const QRect inside(QPoint(pad, pad), caption.rect.size());
    int outside = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            // Faint antialiasing at the very edge is not a cut-off letter.
            if (qAlpha(canvas.pixel(x, y)) > 96 && !inside.contains(x, y)) ++outside;
        }
    }
    return outside;
}

QList<QWidget *> captionedControls(QWidget *window)
{
    QList<QWidget *> controls;
    for (QLabel *label : window->findChildren<QLabel *>())
        controls << label;
    for (QPushButton *button : window->findChildren<QPushButton *>())
        controls << button;
    return controls;
}

void expectNoCaptionCut(QWidget *window)
{
    const QList<QWidget *> controls = captionedControls(window);
    ASSERT_GT(controls.size(), 10);
    for (QWidget *control : controls) {
        if (!control->isVisible()) continue;
        const int outside = inkOutside(control);
        EXPECT_EQ(outside, 0) << qPrintable(window->objectName()) << '.'
                              << qPrintable(control->objectName()) << " \""
                              << qPrintable(captionOf(control).text) << "\" in "
                              << qPrintable(QFontInfo(control->font()).family()) << ' '
                              << control->font().pointSizeF() << " pt: " << outside
                              << " pixels of ink outside " << captionOf(control).rect.width() << 'x'
                              << captionOf(control).rect.height();
    }
}

TEST(Captions, EveryCaptionOfBothWindowsFitsItsControl)
{
    RecordingServices services([](const QString &) {});
    MainWindow window(services);
    window.show();
    const QByteArray expected = qgetenv("KESTRUNE_EXPECTED_FONT");
    if (!expected.isEmpty()) {
        ASSERT_EQ(QFontInfo(window.controls().calculateButton->font()).family(),
            QString::fromUtf8(expected))
            << "the font configuration does not give the family this run is meant to test";
    }
    expectNoCaptionCut(&window);

    window.openTriangle();
    TriangleWindow *triangle = window.triangleWindow();
    ASSERT_NE(triangle, nullptr);
    expectNoCaptionCut(triangle);
    triangle->close();
}

// Where the face fits, the caption keeps the size the layout was designed with: short captions in
// any face, and every caption in Liberation Sans, which has the metrics the layout was made for.
TEST(Captions, CaptionsThatFitKeepTheirDesignedSize)
{
    RecordingServices services([](const QString &) {});
    MainWindow window(services);
    window.show();
    EXPECT_DOUBLE_EQ(window.controls().clearButton->font().pointSizeF(), 9.75);
    auto *unit = window.findChild<QLabel *>(QStringLiteral("Label9"));
    ASSERT_NE(unit, nullptr);
    EXPECT_DOUBLE_EQ(unit->font().pointSizeF(), 9.75);
    EXPECT_TRUE(unit->font().bold());

    if (QFontInfo(window.controls().clearButton->font()).family()
        != QLatin1String("Liberation Sans"))
        GTEST_SKIP() << "Liberation Sans is not installed: only the short captions were checked";
    window.openTriangle();
    ASSERT_NE(window.triangleWindow(), nullptr);
    const QList<QWidget *> windows { &window, window.triangleWindow() };
    for (QWidget *w : windows) {
        for (QWidget *control : captionedControls(w)) {
            const double size = control->font().pointSizeF();
            EXPECT_TRUE(size == 12 || size == 9.75 || size == 8.25)
                << qPrintable(control->objectName()) << " was shrunk to " << size << " pt";
        }
    }
    window.triangleWindow()->close();
}

} // namespace
} // namespace kestrune
