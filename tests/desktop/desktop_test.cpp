// SPDX-License-Identifier: GPL-3.0-or-later
// What only a real desktop shows: Kestrune's windows on an X server with a window manager, input
// as real X events (XTEST), the real message boxes answered with real key presses, and what the
// screen shows read back from the X server's pixels. Run by run-on-desktop.sh.

#include "tests/desktop/desktop.h"

#include "tools/headless.h"

#include <QApplication>

namespace kestrune {
namespace {

TEST_F(Desktop, CommaInAProjectionOrWidthIsRefusedNotReadAsItsLeadingDigits)
{
    struct Case {
        const char *name;
        bool metric;
        const char *box; // the box given the text with a comma
        const char *text;
        bool pasted;
        const char *title;
    };
    const Case cases[] = {
        { "imperial projection typed", false, "txtProjImp", "1,200", false,
            "Incorrect Horizontal Projection" },
        { "imperial width pasted", false, "txtWidthImp", "39,5", true, "Incorrect Step Width" },
        { "metric width typed", true, "txtWidthMet", "1000,5", false, "Incorrect Step Width" },
        { "metric projection pasted", true, "txtProjMet", "30,5", true,
            "Incorrect Horizontal Projection" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        transcript.clear();
        session.run(QLatin1String(c.metric ? "click cmdMetric" : "click cmdImperial"));
        // Every box empty: typing into the box that holds the focus adds to its text.
        session.run(QStringLiteral("click cmdClear"));
        const QString suffix = QLatin1String(c.metric ? "Met" : "Imp");
        const QStringList plain
            = c.metric ? QStringList { "30", "15", "1000" } : QStringList { "100", "50", "40" };
        const QStringList boxes { "txtProj" + suffix, "txtRise" + suffix, "txtWidth" + suffix };
        for (int i = 0; i < boxes.size(); ++i) {
            if (boxes[i] == QLatin1String(c.box) && c.pasted) {
                QGuiApplication::clipboard()->setText(QString::fromLatin1(c.text));
                session.run(QStringLiteral("click ") + boxes[i]);
                session.run(QStringLiteral("key Ctrl+A"));
                session.run(QStringLiteral("key Ctrl+V"));
            } else {
                session.run(QStringLiteral("type %1 %2")
                                .arg(boxes[i],
                                    boxes[i] == QLatin1String(c.box) ? QString::fromLatin1(c.text)
                                                                     : plain[i]));
            }
        }
        auto *box = control<TextBox>(session.mainWindow(), c.box);
        ASSERT_EQ(box->text(), QString::fromLatin1(c.text));
        session.run(QStringLiteral("key Enter"));
        EXPECT_EQ(count(QStringLiteral("message 16 \"%1\" \"The ").arg(QLatin1String(c.title))), 1)
            << qPrintable(transcript.join(QLatin1Char('\n')));
        EXPECT_EQ(control<TextBox>(session.mainWindow(), "txtStructImp")->text(), QString());
        EXPECT_EQ(control<TextBox>(session.mainWindow(), "txtStructMet")->text(), QString());
        session.run(QStringLiteral("focus"));
        EXPECT_TRUE(transcript.last().startsWith(QStringLiteral("focus main %1 ").arg(c.box)))
            << qPrintable(transcript.last());
    }
}

TEST_F(Desktop, DoubleClickCopiesTheWholeNumber)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
        GTEST_SKIP() << "xclip is not installed (scripts/install-deps.sh --tests)";
    run({ "type txtProjImp 100", "type txtRiseImp 50", "type txtWidthImp 40", "key Enter" });
    X11Input input;
    struct Case {
        const char *box;
        bool fromRight; // where in the text the double click falls
        const char *whole;
    };
    for (const Case &c :
        { Case { "txtMachImp", false, "14549.2" }, Case { "txtCotangent", true, "1.732050" },
            Case { "txtWidthMet", true, "1016" }, Case { "txtProjImp", false, "100" } }) {
        auto *box = control<TextBox>(session.mainWindow(), c.box);
        ASSERT_EQ(box->text(), QString::fromLatin1(c.whole));
        const int x = c.fromRight ? box->fontMetrics().horizontalAdvance(box->text()) : 6;
        input.doubleClick(screenPoint(box, QPoint(x, box->height() / 2)));
        EXPECT_TRUE(QTest::qWaitFor([&] { return box->hasSelectedText(); }, 5000)) << c.box;
        // X11's selection, as a middle-button paste elsewhere takes it, and Ctrl+C.
        EXPECT_EQ(
            readBackWhen("primary", QString::fromLatin1(c.whole)), QString::fromLatin1(c.whole))
            << c.box;
        session.run(QStringLiteral("key Ctrl+C"));
        EXPECT_EQ(
            readBackWhen("clipboard", QString::fromLatin1(c.whole)), QString::fromLatin1(c.whole))
            << c.box;
    }
}

TEST_F(Desktop, CopyResultsFillsTheDesktopClipboardWithTextAndATable)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
        GTEST_SKIP() << "xclip is not installed (scripts/install-deps.sh --tests)";
    run({ "type txtProjImp 100", "type txtRiseImp 50", "type txtWidthImp 40", "key Enter",
        "key Ctrl+Shift+C" });
    // As an e-mail program or a spreadsheet pastes it.
    const QString text = readBack("clipboard");
    EXPECT_TRUE(text.contains(QStringLiteral("\nMachinery rated load\t14549.2\tLb\t6599.40\tKg\n")))
        << qPrintable(text);
    const QString html = readBack("clipboard", "text/html");
    EXPECT_TRUE(html.contains(
        QStringLiteral("<td sdval=\"6599.4\" sdnum=\"1033;\" x:num=\"6599.4\">6599.40</td>")))
        << qPrintable(html);
}

TEST_F(Desktop, DarkColourSchemeKeepsTypedValuesReadable)
{
    const QPalette before = QApplication::palette();
    QApplication::setPalette(darkPalette());
    run({ "type txtProjImp 888", "type txtRiseImp 50", "type txtWidthImp 40", "key Enter" });
    QTest::qWait(200);
    // White boxes with typed text, yellow ones with results, the light green unit buttons: each
    // shows its text in black.
    for (const char *name : { "txtProjImp", "txtProjMet", "txtStructImp", "txtCotangent" }) {
        auto *box = control<TextBox>(session.mainWindow(), name);
        EXPECT_GE(darkPixels(box, 3, 12), 12) << name << " " << qPrintable(box->text());
    }
    for (const char *name : { "cmdImperial", "cmdMetric" })
        EXPECT_GE(darkPixels(control(session.mainWindow(), name), 5, 12), 12) << name;
    // The triangle window, which opens over the main window.
    run({ "menu mnuRAT", "type Text1 3", "type Text2 4", "click Command1" });
    QTest::qWait(200);
    auto *hypotenuse = control<TextBox>(session.triangleWindow(), "Text3");
    ASSERT_EQ(hypotenuse->text(), QStringLiteral("5"));
    EXPECT_GE(darkPixels(hypotenuse, 3, 6), 6);
    saveScreenshot(session.triangleWindow(), "dark-triangle-window.png");
    // The selected text of a box shows on the usual blue.
    run({ "activate main", "click txtStructImp" });
    auto *selected = control<TextBox>(session.mainWindow(), "txtStructImp");
    ASSERT_TRUE(selected->hasSelectedText());
    EXPECT_EQ(
        selected->palette().color(QPalette::Active, QPalette::HighlightedText), QColor(Qt::white));
    saveScreenshot(session.mainWindow(), "dark-main-window.png");
    QApplication::setPalette(before);
}

TEST_F(Desktop, F1ShowsTheGuideInAHelpWindowOfItsOwn)
{
    run({ "key F1" });
    HelpWindow *guide = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (auto *help = qobject_cast<HelpWindow *>(window); help && help->isVisible())
                    guide = help;
            }
            return guide != nullptr;
        },
        10000));
    EXPECT_EQ(guide->windowTitle(), QStringLiteral("Kestrune User Guide"));
    EXPECT_TRUE(guide->browser()->toPlainText().contains(QStringLiteral("Copy Results")));
    // Ctrl+F and a word: the page finds it.
    ASSERT_TRUE(QTest::qWaitFor([&] { return guide->isActiveWindow(); }, 10000));
    X11Input input;
    input.key(XK_f, X11Input::Control);
    for (const char32_t c : std::u32string_view(U"keypad"))
        input.typeCharacter(c);
    input.key(XK_Return);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return guide->browser()->textCursor().selectedText().compare(
                       QStringLiteral("keypad"), Qt::CaseInsensitive)
                == 0;
        },
        10000));
    saveScreenshot(guide, "help-window.png");
    // F1 again brings the same window forward.
    run({ "activate main", "key F1" });
    int guides = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        guides += qobject_cast<HelpWindow *>(window) && window->isVisible() ? 1 : 0;
    EXPECT_EQ(guides, 1);
    guide->close();
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
                // The label that shows the message's text.
                QLabel *label = nullptr;
                for (QLabel *shown : box->findChildren<QLabel *>()) {
                    if (shown->text() == box->text()) label = shown;
                }
                if (!label) return false;
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
