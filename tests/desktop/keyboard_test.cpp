// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard of other layouts and a scaled screen on the real desktop: AltGr characters, the
// keypad's decimal key, and a window that keeps its title bar on the screen.

#include "tests/desktop/desktop.h"

namespace kestrune {
namespace {

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

// Run with a scale factor at which the triangle window is taller than the screen's free area
// (QT_SCALE_FACTOR=1.6 on the 1280 x 1024 screen of run-on-desktop.sh: 640 pixels of 1/96 inch).
TEST_F(Desktop, ScaledTriangleWindowKeepsItsTitleBarOnTheScreen)
{
    run({ "menu mnuRAT" });
    QWidget *triangle = session.triangleWindow();
    const QRect free = triangle->screen()->availableGeometry();
    if (triangle->frameGeometry().height() <= free.height())
        GTEST_SKIP() << "the triangle window fits the screen (QT_SCALE_FACTOR=1.6 makes it not)";
    // Where the window manager put it, once it has: the top left corner on the screen.
    QTest::qWait(300);
    const QRect frame = triangle->frameGeometry();
    EXPECT_GE(frame.top(), free.top());
    EXPECT_GE(frame.left(), free.left());
    EXPECT_LE(frame.right(), free.right());
    // A window that fits is still centred.
    run({ "activate main" });
    const QRect main = session.mainWindow()->frameGeometry();
    EXPECT_LE(std::abs(main.center().x() - free.center().x()), 2);
}

// Run with a German keyboard layout (run-on-desktop.sh --layout de), whose keypad types a comma.
TEST_F(Desktop, AltGrLayoutKeypadDecimalKeyTypesAPoint)
{
    if (qgetenv("KESTRUNE_DESKTOP_LAYOUT") != "de")
        GTEST_SKIP() << "needs the German keyboard layout (run-on-desktop.sh --layout de)";
    X11Input input;
    // Num Lock on, as for typing numbers on the keypad; off again at the end.
    input.key(XK_Num_Lock);
    auto typeOnKeypad = [&input](TextBox *box) {
        for (const auto keysym : { XK_KP_1, XK_KP_0, XK_KP_0, XK_KP_Separator, XK_KP_5 })
            input.keypadKey(keysym);
        EXPECT_TRUE(QTest::qWaitFor([&] { return box->text().size() == 5; }, 5000))
            << qPrintable(box->text());
    };
    run({ "click txtProjImp" });
    auto *projection = control<TextBox>(session.mainWindow(), "txtProjImp");
    typeOnKeypad(projection);
    EXPECT_EQ(projection->text(), QStringLiteral("100.5"));
    run({ "type txtRiseImp 50", "type txtWidthImp 40", "key Enter" });
    // 100.5 ft, not 100: (40 + 8) x 100.5 x 4.6
    EXPECT_EQ(
        control<TextBox>(session.mainWindow(), "txtStructImp")->text(), QStringLiteral("22190.4"));
    run({ "menu mnuRAT", "click Text1" });
    auto *side = control<TextBox>(session.triangleWindow(), "Text1");
    typeOnKeypad(side);
    EXPECT_EQ(side->text(), QStringLiteral("100.5"));
    input.key(XK_Num_Lock);
}

} // namespace
} // namespace kestrune
