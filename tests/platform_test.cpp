// SPDX-License-Identifier: GPL-3.0-or-later
// Text boxes, command buttons and the PDF printer, on the offscreen platform.

#include "platform/characters.h"
#include "platform/commandbutton.h"
#include "platform/geometry.h"
#include "platform/textbox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace kestrune {
namespace {

// A focused text box in a shown window, with its change handling counted.
struct BoxFixture : testing::Test {
    QWidget window;
    TextBox *box = new TextBox(&window);
    int changes = 0;

    void SetUp() override
    {
        box->setMaxLength(7);
        QObject::connect(box, &TextBox::changed, [this] { ++changes; });
        window.show();
        QApplication::setActiveWindow(&window);
        box->setFocus();
    }
    void paste(const QString &text)
    {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
};

TEST(Characters, CountAndCutAsTheUserSeesThem)
{
    const QString family = QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467");
    EXPECT_EQ(characterCount(QStringLiteral("e\u0301") + family + QStringLiteral("AB")), 4);
    EXPECT_EQ(firstCharacters(QStringLiteral("A\U0001F600B"), 2), QStringLiteral("A\U0001F600"));
    EXPECT_EQ(firstCharacters(QStringLiteral("A") + family, 1), QStringLiteral("A"));
    EXPECT_EQ(firstCharacters(QStringLiteral("abc"), 0), QString());
    // Plain texts are counted by their code units, a carriage return with its line feed as one.
    EXPECT_EQ(characterCount(QStringLiteral("12.5e3")), 6);
    EXPECT_EQ(characterCount(QStringLiteral("a\r\nb")), 3);
    EXPECT_EQ(firstCharacters(QStringLiteral("1234567.89"), 7), QStringLiteral("1234567"));
    EXPECT_EQ(firstCharacters(QStringLiteral("1\u0301234"), 2), QStringLiteral("1\u03012"));
}

TEST(Characters, OneLineKeepsTheFirstLineTabsAsBlanksNoControls)
{
    EXPECT_EQ(singleLineText(QStringLiteral("12\t34\r\n56")), QStringLiteral("12 34"));
    EXPECT_EQ(singleLineText(QStringLiteral("a\u0007b\u001Bc\u2028d")), QStringLiteral("abc"));
    EXPECT_EQ(singleLineText(QStringLiteral("\nlost")), QString());
    // Format characters that join emoji are not control characters.
    EXPECT_EQ(singleLineText(QStringLiteral("x\u200Dy")), QStringLiteral("x\u200Dy"));
}

TEST_F(BoxFixture, TypedCharactersStayInTheBoxWhileShortcutsReachTheWindow)
{
    int plain = 0;
    int withCtrl = 0;
    auto *letter = new QAction(&window);
    letter->setShortcut(QKeySequence(Qt::Key_Q));
    QObject::connect(letter, &QAction::triggered, [&plain] { ++plain; });
    auto *print = new QAction(&window);
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    QObject::connect(print, &QAction::triggered, [&withCtrl] { ++withCtrl; });
    window.addActions({ letter, print });

    QTest::keyClick(box, Qt::Key_Q);
    QTest::keyClicks(box, QStringLiteral("Q")); // Shift+Q
    QTest::keyClick(box, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(box->text(), QStringLiteral("qQ"));
    EXPECT_EQ(plain, 0);
    EXPECT_EQ(withCtrl, 1);

    // A locked box types nothing, so a key that would type is free for the window.
    box->setLocked(true);
    QTest::keyClick(box, Qt::Key_Q);
    EXPECT_EQ(box->text(), QStringLiteral("qQ"));
    EXPECT_EQ(plain, 1);
}

TEST_F(BoxFixture, ProgramTextIsCutToWholeCharacters)
{
    box->setMaxLength(3);
    box->setFieldText(QStringLiteral("AB\U0001F600C"));
    EXPECT_EQ(box->text(), QStringLiteral("AB\U0001F600"));
    box->setFieldText(QStringLiteral("ABC\U0001F600"));
    EXPECT_EQ(box->text(), QStringLiteral("ABC"));
}

TEST_F(BoxFixture, PasteIsOneChangeReplacingTheSelection)
{
    box->setFieldText(QStringLiteral("0"));
    box->selectAll();
    changes = 0;
    paste(QStringLiteral("0"));
    // The same text comes out, yet the paste counts as a keystroke does.
    EXPECT_EQ(changes, 1);
    paste(QStringLiteral("12\t3\n4"));
    EXPECT_EQ(box->text(), QStringLiteral("012 3"));
    EXPECT_EQ(changes, 2);
}

TEST_F(BoxFixture, PasteFillsTheRoomLeftAndNoMore)
{
    box->setFieldText(QStringLiteral("12345"));
    box->setCursorPosition(5);
    changes = 0;
    paste(QStringLiteral("6789"));
    EXPECT_EQ(box->text(), QStringLiteral("1234567"));
    paste(QStringLiteral("8"));
    EXPECT_EQ(box->text(), QStringLiteral("1234567"));
    EXPECT_EQ(changes, 1);
    // An accent joins the letter before it: it takes no room of its own.
    box->setMaxLength(2);
    box->setFieldText(QStringLiteral("ae"));
    box->setCursorPosition(2);
    paste(QStringLiteral("\u0301x"));
    EXPECT_EQ(box->text(), QStringLiteral("ae\u0301"));
    // A joiner pasted after an emoji joins the next emoji to it, so that neither takes a place of
    // its own: of "<joiner><woman>bc" pasted into the room of one character, three fit.
    const QString man = QStringLiteral("\U0001F468");
    const QString woman = QStringLiteral("\U0001F469");
    box->setFieldText(man);
    box->setCursorPosition(2);
    paste(QStringLiteral("\u200D") + woman + QStringLiteral("bc"));
    EXPECT_EQ(box->text(), man + QStringLiteral("\u200D") + woman + QStringLiteral("b"));
}

TEST_F(BoxFixture, EveryPastePathCleansTheText)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("5\n6"));
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(box->text(), QStringLiteral("5"));

    // The context menu's Paste.
    QContextMenuEvent menuEvent(
        QContextMenuEvent::Mouse, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(box, &menuEvent);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction *pasteItem = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) pasteItem = action;
    }
    ASSERT_NE(pasteItem, nullptr);
    pasteItem->trigger();
    menu->close();
    EXPECT_EQ(box->text(), QStringLiteral("55"));

    // Text dragged in from another program.
    QMimeData data;
    data.setText(QStringLiteral("7\t8\n9"));
    const QPoint end(box->width() - 2, box->height() / 2);
    QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &drop);
    EXPECT_EQ(box->text(), QStringLiteral("557 8"));

    // A character composed by an input method must fit like a key.
    box->setFieldText(QStringLiteral("123456"));
    box->setCursorPosition(6);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00E9\u00E9"));
    QApplication::sendEvent(box, &composed);
    EXPECT_EQ(box->text(), QStringLiteral("123456\u00E9"));
}

TEST_F(BoxFixture, LockedBoxRefusesPaste)
{
    box->setLocked(true);
    changes = 0;
    paste(QStringLiteral("9"));
    EXPECT_EQ(box->text(), QString());
    EXPECT_EQ(changes, 0);
}

TEST_F(BoxFixture, FullBoxRefusesAKeystrokeButTakesAnAccent)
{
    box->setMaxLength(2);
    QTest::keyClicks(box, QStringLiteral("ab"));
    changes = 0;
    QTest::keyClick(box, Qt::Key_C);
    EXPECT_EQ(box->text(), QStringLiteral("ab"));
    EXPECT_EQ(changes, 0);
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QStringLiteral("\u0301"), {});
    EXPECT_EQ(box->text(), QStringLiteral("ab\u0301"));
}

TEST_F(BoxFixture, AltLetterTypesNothingButAltGrDoes)
{
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Z, QStringLiteral("z"), Qt::AltModifier);
    EXPECT_EQ(box->text(), QString());
    EXPECT_EQ(changes, 0);
    // AltGr as Windows reports it (Ctrl+Alt), and as X11 does (a level of its own).
    QTest::sendKeyEvent(
        QTest::Click, box, Qt::Key_Q, QStringLiteral("@"), Qt::ControlModifier | Qt::AltModifier);
    QTest::sendKeyEvent(
        QTest::Click, box, Qt::Key_E, QStringLiteral("\u20AC"), Qt::GroupSwitchModifier);
    EXPECT_EQ(box->text(), QStringLiteral("@\u20AC"));
}

TEST_F(BoxFixture, KeypadDecimalKeyTypesAPointInANumberBox)
{
    // The keypad's decimal key of a German keyboard (a separator typing a comma), of a layout
    // that gives it a point, and the comma key of the main block.
    QTest::keyClicks(box, QStringLiteral("100"));
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Comma, QStringLiteral(","), Qt::KeypadModifier);
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_5, QStringLiteral("5"), Qt::KeypadModifier);
    EXPECT_EQ(box->text(), QStringLiteral("100.5"));
    EXPECT_EQ(changes, 5);
    box->clear();
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Period, QStringLiteral("."), Qt::KeypadModifier);
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Comma, QStringLiteral(","), {});
    EXPECT_EQ(box->text(), QStringLiteral(".,"));
    // A box of free text keeps the comma the keyboard types.
    box->clear();
    box->setHoldsNumbers(false);
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_Comma, QStringLiteral(","), Qt::KeypadModifier);
    EXPECT_EQ(box->text(), QStringLiteral(","));
}

TEST_F(BoxFixture, DoubleClickSelectsTheWholeNumber)
{
    box->setFieldText(QStringLiteral("14549.2"));
    QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_EQ(box->selectedText(), QStringLiteral("14549.2"));
    box->setLocked(true);
    box->setMaxLength(8);
    box->setFieldText(QStringLiteral("1.732050"));
    QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(box->width() - 5, box->height() / 2));
    EXPECT_EQ(box->selectedText(), QStringLiteral("1.732050"));
    // Free text is selected word by word, as everywhere else.
    box->setLocked(false);
    box->setHoldsNumbers(false);
    box->setFieldText(QStringLiteral("Hall 3"));
    QTest::mouseDClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_EQ(box->selectedText(), QStringLiteral("Hall"));
}

TEST_F(BoxFixture, CtrlYAndCtrlShiftZBothRedo)
{
    QTest::keyClicks(box, QStringLiteral("12"));
    for (const QKeyCombination redo : { QKeyCombination(Qt::ControlModifier, Qt::Key_Y),
             QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z) }) {
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(box->text(), QString());
        changes = 0;
        QTest::keyClick(box, redo.key(), redo.keyboardModifiers());
        EXPECT_EQ(box->text(), QStringLiteral("12")) << redo.toCombined();
        EXPECT_EQ(changes, 1);
    }
}

TEST_F(BoxFixture, FixedBackgroundKeepsItsTextBlackUnderADarkScheme)
{
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(40, 40, 40));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(90, 90, 90));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    window.setPalette(dark);
    box->setBackColor(kYellow);
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive }) {
        EXPECT_EQ(box->palette().color(group, QPalette::Base), QColor(255, 255, 0));
        EXPECT_EQ(box->palette().color(group, QPalette::Text), QColor(Qt::black));
        EXPECT_EQ(box->palette().color(group, QPalette::HighlightedText), QColor(Qt::white));
        EXPECT_NE(box->palette().color(group, QPalette::Highlight), QColor(90, 90, 90));
    }
}

TEST(OpeningFrame, CentredWhenItFitsOtherwiseTitleBarOnScreen)
{
    const QRect screen(0, 30, 1600, 970); // a panel along the top
    EXPECT_EQ(openingFrame(QRect(0, 0, 600, 500), screen), QRect(500, 265, 600, 500));
    // Taller than the free area: the title bar stays at its top, the left edge centred.
    const QRect tall = openingFrame(QRect(0, 0, 1047, 1040), screen);
    EXPECT_EQ(tall.topLeft(), QPoint(276, 30));
    // Larger both ways: the top left corner of the free area.
    EXPECT_EQ(openingFrame(QRect(0, 0, 1700, 1040), screen).topLeft(), QPoint(0, 30));
}

TEST_F(BoxFixture, UnfocusedBoxShowsItsStartAndGetsItsCaretBack)
{
    auto *other = new TextBox(&window);
    other->show();
    other->setFieldText(QStringLiteral("1147359.054"));
    // Shown from its first character while another box holds the focus.
    EXPECT_EQ(other->cursorPosition(), 0);
    // Focused by the program, the caret stands where setting the text left it.
    other->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(other->cursorPosition(), 11);
    // Leaving the box brings its start back into view.
    box->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(other->cursorPosition(), 0);
}

TEST(CommandButton, ClickWhoseReleaseWasTakenIsFinishedOnce)
{
    QWidget window;
    auto *button = new CommandButton(QStringLiteral("Go"), &window);
    window.show();
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    // An ordinary click: its own release clicks.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 1);
    // A press that arrives after its button was released (a message box took the release).
    QMouseEvent late(QEvent::MouseButtonPress, QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)),
        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &late);
    EXPECT_TRUE(button->isDown());
    QCoreApplication::processEvents();
    EXPECT_FALSE(button->isDown());
    EXPECT_EQ(clicks.count(), 2);
    // A press still held is left alone: the user's release will come.
    QTest::mousePress(button, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.count(), 2);
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 3);
}

} // namespace
} // namespace kestrune
