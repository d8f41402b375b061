// SPDX-License-Identifier: GPL-3.0-or-later
// The focus rule of a window: only a control whose focus gain was handled has a focus loss to
// handle. A focus-loss handler that sends the focus elsewhere must not make the control it
// interrupted run a focus-loss handling of its own.

#include "platform/form.h"
#include "tools/headless.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrune {
namespace {

class FocusRule : public testing::Test {
protected:
    FocusRule()
    {
        for (const char *name : { "a", "b", "c" }) {
            auto *box = new QLineEdit(&window);
            form->addControl(box, static_cast<int>(boxes.size()));
            form->onGotFocus(box, [this, name] { log.push_back(std::string("got ") + name); });
            boxes.push_back(box);
        }
    }

    void onLostFocus(int box, const std::function<void()> &then)
    {
        const std::string name(1, static_cast<char>('a' + box));
        form->onLostFocus(boxes[static_cast<std::size_t>(box)], [this, name, then] {
            log.push_back("lost " + name);
            if (then) then();
        });
    }

    QWidget window;
    Form *form = new Form(&window);
    std::vector<QLineEdit *> boxes;
    std::vector<std::string> log;
};

TEST_F(FocusRule, AControlInterruptedBeforeItsFocusGainHasNoFocusLoss)
{
    onLostFocus(0, [this] { form->setFocusTo(boxes[2]); });
    onLostFocus(1, {});
    form->setFocusTo(boxes[0]);
    log.clear();

    // b is recorded as focused, a's focus loss sends the focus on to c: b never had it.
    form->setFocusTo(boxes[1]);
    EXPECT_EQ(log, (std::vector<std::string> { "lost a", "got c" }));
    EXPECT_EQ(form->activeControl(), boxes[2]);

    // c's focus gain ran, so c has a focus loss when the focus moves on.
    onLostFocus(2, {});
    form->setFocusTo(boxes[0]);
    EXPECT_EQ(log, (std::vector<std::string> { "lost a", "got c", "lost c", "got a" }));
}

TEST_F(FocusRule, TwoChecksThatEachKeepTheFocusDoNotPassItBetweenThem)
{
    // Like two width checks, each hands the focus back to its own box (bounded, so that a
    // broken rule fails here instead of recursing without end).
    int handedBack = 0;
    for (int box : { 0, 1 })
        onLostFocus(box, [this, box, &handedBack] {
            if (++handedBack < 10) form->setFocusTo(boxes[static_cast<std::size_t>(box)]);
        });
    form->setFocusTo(boxes[0]);
    log.clear();

    form->setFocusTo(boxes[1]);
    EXPECT_EQ(log, (std::vector<std::string> { "lost a", "got a" }));
    EXPECT_EQ(handedBack, 1);
    EXPECT_EQ(form->activeControl(), boxes[0]);
}

TEST_F(FocusRule, MovingTheFocusToTheControlThatHoldsItDoesNothing)
{
    onLostFocus(0, {});
    form->setFocusTo(boxes[0]);
    log.clear();
    form->setFocusTo(boxes[0]);
    EXPECT_TRUE(log.empty());
}

} // namespace
} // namespace kestrune

int main(int argc, char *argv[])
{
    kestrune::prepareHeadlessRun();
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
