// SPDX-License-Identifier: GPL-3.0-or-later
// What only a real desktop shows: Kestrune's windows on an X server with a window manager, input
// as real X events (XTEST), the real message boxes answered with real key presses, and what the
// screen shows read back from the X server's pixels. Run by run-on-desktop.sh.

#include "platform/textbox.h"
#include "tools/headless.h"
#include "tools/session.h"
#include "tools/x11input.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <X11/keysym.h>

#include <gtest/gtest.h>

namespace kestrune {
namespace {

// A session of the scripted driver on the real display; its transcript is kept.
struct Desktop : testing::Test {
    QStringList transcript;
    ScriptSession session { [this](const QString &line) { transcript << line; },
        ScriptSession::Display::Desktop };

    void run(std::initializer_list<const char *> lines)
    {
        for (const char *line : lines)
            session.run(QString::fromUtf8(line));
    }
    int count(const QString &start) const
    {
        return static_cast<int>(std::count_if(transcript.cbegin(), transcript.cend(),
            [&start](const QString &line) { return line.startsWith(start); }));
    }
    template <typename T = QWidget> T *control(QWidget *window, const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
};

// What the X server shows of `widget` now.
QImage onScreen(QWidget *widget)
{
    const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage rendered(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The point `at` of `widget` in the X screen's pixels.
QPoint screenPoint(QWidget *widget, QPoint at)
{
    return widget->mapToGlobal(at) * widget->devicePixelRatio();
}

TEST_F(Desktop, ButtonsClickedAwayFromAWidthWarningRunAndComeUp)
{
    QWidget *main = session.mainWindow();
    // Each button takes the focus from a width box whose check then warns.
    for (const char *button : { "cmdCalculate", "cmdClear", "cmdMetric", "cmdImperial" }) {
        transcript.clear();
        const bool metric = !session.mainWindow()->imperialMode();
        session.run(QStringLiteral("type %1 50").arg(metric ? "txtWidthMet" : "txtWidthImp"));
        session.run(QStringLiteral("click %1").arg(QLatin1String(button)));
        auto *pressed = control<QAbstractButton>(main, button);
        EXPECT_GE(count(QStringLiteral("message 16 \"Incorrect Step Width\"")), 1) << button;
        EXPECT_FALSE(pressed->isDown()) << button;
        // The screen shows the button up, as the button now draws itself.
        EXPECT_EQ(onScreen(pressed), rendered(pressed)) << button;
    }
    // Their commands ran: the last two switched the mode there and back.
    EXPECT_TRUE(session.mainWindow()->imperialMode());
    // A triangle row button whose command shows a message.
    run({ "menu mnuRAT", "type Text4 0.0001", "type Text5 0.0002", "click Command2" });
    auto *solve = control<QAbstractButton>(session.triangleWindow(), "Command2");
    EXPECT_EQ(count(QStringLiteral("message 32 \"Angles Unknown\"")), 1);
    EXPECT_FALSE(solve->isDown());
    EXPECT_EQ(onScreen(solve), rendered(solve));
}

TEST_F(Desktop, LongResultShowsItsLeadingDigit)
{
    run({ "menu mnuRAT", "type Text7 5", "type Text8 99999", "click Command3" });
    auto *hypotenuse = control<TextBox>(session.triangleWindow(), "Text3");
    ASSERT_EQ(hypotenuse->text(), QStringLiteral("1147359.054"));
    // A box like it, showing the text from its first character, and one showing it from the end.
    TextBox fromStart;
    fromStart.setAttribute(Qt::WA_DontShowOnScreen);
    fromStart.setFont(hypotenuse->font());
    fromStart.setPalette(hypotenuse->palette());
    fromStart.setReadOnly(true);
    fromStart.resize(hypotenuse->size());
    fromStart.setText(hypotenuse->text());
    fromStart.setCursorPosition(0);
    const QImage start = rendered(&fromStart);
    fromStart.setCursorPosition(static_cast<int>(fromStart.text().size()));
    const QImage end = rendered(&fromStart);
    ASSERT_NE(start, end) << "the text fits the box: nothing to check";
    EXPECT_EQ(onScreen(hypotenuse), start);
}

TEST_F(Desktop, UnitButtonsShowTheirLightGreen)
{
    for (const char *name : { "cmdImperial", "cmdMetric" }) {
        auto *button = control(session.mainWindow(), name);
        const QImage face = onScreen(button);
        // A strip of the face between the edge and the caption.
        for (int y = 6; y < face.height() - 6; ++y) {
            for (int x = 4; x < 8; ++x)
                ASSERT_EQ(face.pixelColor(x, y), QColor(128, 255, 128))
                    << name << " " << x << "," << y;
        }
    }
}

TEST_F(Desktop, MessagesStandOnOneLineWithinTheScreen)
{
    struct Seen {
        QString title;
        int lines;
        bool inside;
    };
    QList<Seen> seen;
    // Looks at each box once it is up and laid out, before the driver answers it.
    struct Watcher : QObject {
        QList<Seen> *seen;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            auto *box = qobject_cast<QMessageBox *>(watched);
            if (box && event->type() == QEvent::WindowActivate) {
                auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
                const int lineHeight = label->fontMetrics().lineSpacing();
                seen->append({ box->windowTitle(), label->height() / lineHeight,
                    box->screen()->availableGeometry().contains(box->frameGeometry()) });
            }
            return false;
        }
    } watcher;
    watcher.seen = &seen;
    qApp->installEventFilter(&watcher);
    run({ "type txtWidthImp 50", "key Tab", "type txtDeg 35" });
    qApp->removeEventFilter(&watcher);
    ASSERT_EQ(seen.size(), 2);
    for (const Seen &box : seen) {
        EXPECT_EQ(box.lines, 1) << qPrintable(box.title);
        EXPECT_TRUE(box.inside) << qPrintable(box.title);
    }
}

TEST_F(Desktop, MiddleButtonAndContextMenuPasteOneLine)
{
    X11Input input;
    auto *projection = control<TextBox>(session.mainWindow(), "txtProjImp");
    // X11's selection, pasted with the middle button where it is clicked.
    QGuiApplication::clipboard()->setText(QStringLiteral("4\t5\n6"), QClipboard::Selection);
    input.click(screenPoint(projection, QPoint(5, projection->height() / 2)), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !projection->text().isEmpty(); }, 5000));
    EXPECT_EQ(projection->text(), QStringLiteral("4 5"));

    // The context menu's Paste.
    auto *rise = control<TextBox>(session.mainWindow(), "txtRiseImp");
    QGuiApplication::clipboard()->setText(QStringLiteral("7\n8"));
    input.click(screenPoint(rise, QPoint(5, rise->height() / 2)), 3);
    QMenu *menu = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            return menu != nullptr;
        },
        5000));
    QAction *paste = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) paste = action;
    }
    ASSERT_NE(paste, nullptr);
    input.click(screenPoint(menu, menu->actionGeometry(paste).center()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !rise->text().isEmpty(); }, 5000));
    EXPECT_EQ(rise->text(), QStringLiteral("7"));
}

// Run with a German keyboard layout (run-on-desktop.sh --layout de).
TEST_F(Desktop, AltGrCharactersTypeAltLettersDoNot)
{
    if (qgetenv("KESTRUNE_DESKTOP_LAYOUT") != "de")
        GTEST_SKIP() << "needs the German keyboard layout (run-on-desktop.sh --layout de)";
    QProcess query;
    query.start(QStringLiteral("setxkbmap"), { QStringLiteral("-query") });
    query.waitForFinished();
    ASSERT_TRUE(query.readAllStandardOutput().contains("layout:     de"));
    run({ "click txtID" });
    X11Input input;
    auto *id = control<TextBox>(session.mainWindow(), "txtID");
    // AltGr+Q, AltGr+E, AltGr+8, AltGr+9 on a German keyboard; then Alt+Z.
    for (const auto keysym : { XK_q, XK_e, XK_8, XK_9 })
        input.key(keysym, X11Input::AltGr);
    input.key(XK_z, X11Input::Alt);
    input.key(XK_a);
    EXPECT_TRUE(QTest::qWaitFor([&] { return id->text().endsWith(QLatin1Char('a')); }, 5000));
    EXPECT_EQ(id->text(), QStringLiteral("@\u20AC[]a"));
}

} // namespace
} // namespace kestrune

int main(int argc, char *argv[])
{
    kestrune::prepareDesktopRun();
    QApplication app(argc, argv);
    kestrune::configureHeadlessRun();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
