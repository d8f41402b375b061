// SPDX-License-Identifier: GPL-3.0-or-later
// Both windows drawn with the program's style, whose text box frames come from a cache, and
// with the toolkit's own style, compared pixel for pixel in every state a box can be in: editable
// and locked, each box with the focus, under the mouse, disabled, in the active and in an inactive
// window. The scale factor is the environment's (QT_SCALE_FACTOR); CTest runs the test at several.

#include "platform/windowstyle.h"
#include "tools/session.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QScreen>
#include <QSpinBox>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kestrune {
namespace {

// The pictures of one state of the windows: what a window shows on the screen (its backing
// store) and what QWidget::grab renders, which Print Form uses.
using Pictures = std::map<std::string, QImage>;

QImage comparable(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The windows, driven through the scripted driver as a user would, with some text in every kind
// of box and the triangle window open beside the main window.
class Windows {
public:
    Windows() : m_session([](const QString &) {})
    {
        for (const char *line :
            { "type txtProjImp 100", "type txtRiseImp 50", "type txtWidthImp 40",
                "click cmdCalculate", "type txtID Escalator 7", "menu mnuRAT", "type Text31 30",
                "type Text30 0", "type Text33 10", "click Command9", "type Text1 3" })
            m_session.run(QString::fromLatin1(line));
    }

    QWidget *main() const { return m_session.window(QStringLiteral("main")); }
    QWidget *triangle() const { return m_session.window(QStringLiteral("triangle")); }
    void run(const QString &line) { m_session.run(line); }

    std::vector<QLineEdit *> boxes() const
    {
        std::vector<QLineEdit *> all;
        for (QWidget *window : { main(), triangle() }) {
            for (QLineEdit *box : window->findChildren<QLineEdit *>())
                all.push_back(box);
        }
        return all;
    }

    // Every picture of `window` in its current state.
    void take(QWidget *window, const std::string &state, Pictures &pictures) const
    {
        const std::string name = state + " / " + window->objectName().toStdString();
        QCoreApplication::processEvents();
        pictures[name + " / grab"] = comparable(window->grab().toImage());
        // Repainted in full twice more: a frame new in this state is drawn directly for the grab,
        // into the cache for the first repaint and copied from it for the second.
        for (int pass = 0; pass < 2; ++pass) {
            window->repaint();
            const QPixmap screen = window->screen()->grabWindow(window->winId());
            pictures[name + " / screen " + std::to_string(pass)] = comparable(screen.toImage());
        }
    }

    // Puts the windows through every state, taking their pictures in each.
    Pictures everyState()
    {
        Pictures pictures;
        take(main(), "opened", pictures);
        take(triangle(), "opened", pictures);
        // Each box with the focus, clicked as the user does: its window becomes the active one,
        // which leaves the other window inactive.
        for (QLineEdit *box : boxes()) {
            QWidget *window = box->window();
            run(QStringLiteral("click ") + window->objectName() + QLatin1Char('.')
                + box->objectName());
            take(window, "focus in " + box->objectName().toStdString(), pictures);
        }
        take(main(), "inactive", pictures);
        run(QStringLiteral("activate main"));
        take(triangle(), "inactive", pictures);

        for (QLineEdit *box : boxes()) {
            box->setAttribute(Qt::WA_UnderMouse, true);
            box->update();
        }
        take(main(), "under the mouse", pictures);
        take(triangle(), "under the mouse", pictures);
        for (QLineEdit *box : boxes()) {
            box->setAttribute(Qt::WA_UnderMouse, false);
            box->setEnabled(false);
        }
        take(main(), "disabled", pictures);
        take(triangle(), "disabled", pictures);
        for (QLineEdit *box : boxes())
            box->setEnabled(true);

        // The unit buttons swap which measurement boxes are white and editable.
        run(QStringLiteral("click cmdMetric"));
        take(main(), "metric", pictures);
        return pictures;
    }

private:
    ScriptSession m_session;
};

// Where two pictures differ, and how many pixels.
std::string difference(const QImage &expected, const QImage &actual)
{
    if (expected.size() != actual.size()) {
        return "sizes " + std::to_string(expected.width()) + "x" + std::to_string(expected.height())
            + " and " + std::to_string(actual.width()) + "x" + std::to_string(actual.height());
    }
    long count = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (expected.pixel(x, y) != actual.pixel(x, y)) {
                if (count++ == 0) first = QPoint(x, y);
            }
        }
    }
    return std::to_string(count) + " pixels differ, the first at " + std::to_string(first.x()) + ","
        + std::to_string(first.y());
}

WindowStyle *installedWindowStyle()
{
    return qobject_cast<WindowStyle *>(QApplication::style());
}

TEST(WindowStyle, CopiedFramesShowTheSamePixelsAsTheToolkitDrawsInEveryState)
{
    const QString toolkitStyle = installedWindowStyle()->baseStyle()->name();
    Pictures expected;
    Pictures actual;
    {
        QApplication::setStyle(QStyleFactory::create(toolkitStyle));
        Windows windows;
        expected = windows.everyState();
    }
    {
        installWindowStyle();
        Windows windows;
        actual = windows.everyState();
    }
    ASSERT_EQ(expected.size(), actual.size());
    int compared = 0;
    for (const auto &[name, picture] : expected) {
        const QImage &cached = actual[name];
        if (picture == cached) {
            ++compared;
            continue;
        }
        ADD_FAILURE() << name << ": " << difference(picture, cached);
        const QString file = QString::fromStdString(name).replace(QLatin1String(" / "), "-");
        picture.save(QDir::current().filePath(file + QStringLiteral("-toolkit.png")));
        cached.save(QDir::current().filePath(file + QStringLiteral("-cached.png")));
    }
    EXPECT_GT(compared, 100);

    // The pictures came from the cache: every frame of these windows can be copied exactly.
    const WindowStyle::Counts counts = installedWindowStyle()->counts();
    EXPECT_GT(counts.firstSeen, 0);
    EXPECT_GT(counts.cached, 0);
    EXPECT_GT(counts.copied, 10 * counts.cached);
    EXPECT_EQ(counts.direct, 0);
}

// A line edit whose panel the tests draw themselves, with painters set up in every way.
class ProbeBox : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    QStyleOptionFrame panelOption() const
    {
        QStyleOptionFrame option;
        initStyleOption(&option);
        return option;
    }
};

// How the panel is drawn in one case: how the painter is set up, what lies under the box.
struct PanelCase {
    const char *name;
    std::function<void(QPainter &)> prepare;
    bool copied;
};

// The panel of `box` drawn by `style` onto a picture with a plain background.
QImage drawPanel(const QStyle &style, const ProbeBox &box, const PanelCase &how)
{
    QImage picture(480, 240, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(239, 239, 239));
    QPainter painter(&picture);
    how.prepare(painter);
    QStyleOptionFrame option = box.panelOption();
    option.rect.translate(10, 10);
    style.drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, &box);
    return picture;
}

// Where a copy could not be sure to give the style's own pixels, the style draws the frame itself;
// either way the pixels are the toolkit's.
TEST(WindowStyle, CopiesOnlyWhereTheCopyIsExact)
{
    const QString toolkitStyle = installedWindowStyle()->baseStyle()->name();
    QWidget window;
    ProbeBox box(QStringLiteral("12.5"), &window);
    box.resize(73, 25);
    auto *spinBox = new QSpinBox(&window);
    ProbeBox boxInSpinBox(spinBox);
    boxInSpinBox.resize(73, 25);
    ProbeBox boxOfGradient(&window);
    boxOfGradient.resize(73, 25);
    QPalette gradient = boxOfGradient.palette();
    QLinearGradient fade(0, 0, 0, 25);
    fade.setColorAt(0, Qt::white);
    fade.setColorAt(1, Qt::yellow);
    gradient.setBrush(QPalette::Base, fade);
    boxOfGradient.setPalette(gradient);

    const PanelCase cases[] = {
        { "plain", [](QPainter &) {}, true },
        { "at twice the size", [](QPainter &p) { p.scale(2, 2); }, true },
        { "at one and a half times the size, between pixels",
            [](QPainter &p) {
                p.scale(1.5, 1.5);
                p.translate(1, 1);
            },
            true },
        { "at 1.75 times the size, between pixels",
            [](QPainter &p) {
                p.scale(1.75, 1.75);
                p.translate(3, 1);
            },
            true },
        { "at three times the size", [](QPainter &p) { p.scale(3, 3); }, true },
        { "at four times the size", [](QPainter &p) { p.scale(4, 4); }, true },
        { "rotated", [](QPainter &p) { p.rotate(3); }, false },
        { "scaled by 1.3", [](QPainter &p) { p.scale(1.3, 1.3); }, false },
        { "stretched", [](QPainter &p) { p.scale(1, 2); }, false },
        { "shifted within a pixel", [](QPainter &p) { p.translate(0.3, 0.7); }, false },
        { "half transparent", [](QPainter &p) { p.setOpacity(0.5); }, false },
        { "multiplied",
            [](QPainter &p) { p.setCompositionMode(QPainter::CompositionMode_Multiply); }, false },
        { "clipped", [](QPainter &p) { p.setClipRect(0, 0, 40, 40); }, false },
        { "on a line", [](QPainter &p) { p.drawLine(0, 20, 160, 20); }, false },
        { "on a gradient",
            [](QPainter &p) {
                QLinearGradient ground(0, 0, 160, 0);
                ground.setColorAt(0, Qt::white);
                ground.setColorAt(1, Qt::gray);
                p.fillRect(0, 0, 160, 80, ground);
            },
            false },
    };
    std::unique_ptr<QStyle> toolkit(QStyleFactory::create(toolkitStyle));
    for (const PanelCase &how : cases) {
        WindowStyle style(toolkitStyle);
        const QImage expected = drawPanel(*toolkit, box, how);
        // Three times: drawn directly the first time, drawn into the cache the second, copied
        // from it the third.
        for (int pass = 0; pass < 3; ++pass) {
            const QImage actual = drawPanel(style, box, how);
            EXPECT_EQ(expected, actual) << how.name << ": " << difference(expected, actual);
        }
        const WindowStyle::Counts counts = style.counts();
        if (how.copied) {
            EXPECT_EQ(counts.firstSeen, 1) << how.name;
            EXPECT_EQ(counts.cached, 1) << how.name;
            EXPECT_EQ(counts.copied, 1) << how.name;
        } else {
            EXPECT_EQ(counts.direct, 3) << how.name;
            EXPECT_EQ(counts.firstSeen + counts.cached + counts.copied, 0) << how.name;
        }
    }

    // A line edit inside a spin box, and colours that are not plain.
    const PanelCase plain = cases[0];
    for (const ProbeBox *other : { &boxInSpinBox, &boxOfGradient }) {
        WindowStyle style(toolkitStyle);
        EXPECT_EQ(drawPanel(*toolkit, *other, plain), drawPanel(style, *other, plain));
        EXPECT_EQ(style.counts().direct, 1);
    }

    // A page for the printer keeps its frames as lines and curves.
    WindowStyle style(toolkitStyle);
    QTemporaryDir folder;
    QPdfWriter pdf(folder.filePath(QStringLiteral("page.pdf")));
    QPainter page(&pdf);
    QStyleOptionFrame option = box.panelOption();
    style.drawPrimitive(QStyle::PE_PanelLineEdit, &option, &page, &box);
    page.end();
    EXPECT_EQ(style.counts().direct, 1);
}

// The style layers itself over the style the application uses, once however often it is
// installed, and copies frames only for the style it has been checked against.
TEST(WindowStyle, LayersOverTheApplicationsStyleAndCopiesOnlyForTheCheckedOne)
{
    const QString toolkitStyle = installedWindowStyle()->baseStyle()->name();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("windows")));
    installWindowStyle();
    installWindowStyle();
    ASSERT_NE(installedWindowStyle(), nullptr);
    EXPECT_EQ(installedWindowStyle()->baseStyle()->name().toStdString(), "windows");

    ProbeBox box(QStringLiteral("12.5"));
    box.resize(73, 25);
    const PanelCase plain { "plain", [](QPainter &) {}, true };
    std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("windows")));
    EXPECT_EQ(drawPanel(*windows, box, plain), drawPanel(*installedWindowStyle(), box, plain));
    EXPECT_EQ(installedWindowStyle()->counts().direct, 1);

    QApplication::setStyle(QStyleFactory::create(toolkitStyle));
    installWindowStyle();
}

} // namespace
} // namespace kestrune
