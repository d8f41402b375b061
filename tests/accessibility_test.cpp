// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader reads for the controls of both windows.

#include "mainwindow/mainwindow.h"
#include "platform/textbox.h"
#include "tools/recordingservices.h"

#include <QAccessible>
#include <QPushButton>
#include <QSet>

#include <gtest/gtest.h>

namespace kestrune {
namespace {

QString spokenName(QWidget *control)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// Every box and button has a name of its own within its window.
void expectNamedUniquely(QWidget *window)
{
    QSet<QString> names;
    QList<QWidget *> controls;
    for (TextBox *box : window->findChildren<TextBox *>())
        controls << box;
    for (QPushButton *button : window->findChildren<QPushButton *>())
        controls << button;
    ASSERT_FALSE(controls.isEmpty());
    for (QWidget *control : controls) {
        const QString name = spokenName(control);
        EXPECT_FALSE(name.isEmpty()) << qPrintable(control->objectName()) << " has no name";
        EXPECT_FALSE(names.contains(name))
            << qPrintable(control->objectName()) << " shares its name " << qPrintable(name);
        names.insert(name);
    }
}

TEST(Accessibility, BoxesAndButtonsSayWhatTheirLabelsShow)
{
    RecordingServices services([](const QString &) {});
    MainWindow window(services);
    window.show();
    const auto &ui = window.controls();
    EXPECT_EQ(spokenName(ui.riseImperial), QStringLiteral("Total rise, feet"));
    EXPECT_EQ(
        spokenName(ui.widthMetric), QStringLiteral("Width of the escalator step, millimeters"));
    EXPECT_EQ(
        spokenName(ui.brakeRunningMetric), QStringLiteral("Brake rated load - running, kilograms"));
    EXPECT_EQ(spokenName(ui.clearButton), QStringLiteral("Clear"));
    EXPECT_FALSE(ui.projectionImperial->accessibleDescription().isEmpty());
    expectNamedUniquely(&window);

    window.openTriangle();
    TriangleWindow *triangle = window.triangleWindow();
    ASSERT_NE(triangle, nullptr);
    auto control = [triangle](const char *name) {
        return triangle->findChild<QWidget *>(QString::fromLatin1(name));
    };
    EXPECT_EQ(spokenName(control("Text1")), QStringLiteral("Row 1, side a"));
    EXPECT_EQ(spokenName(control("Text24")), QStringLiteral("Row 3, side h"));
    EXPECT_EQ(spokenName(control("Text7")), QStringLiteral("Row 4, angle A, degrees"));
    EXPECT_EQ(spokenName(control("Text29")), QStringLiteral("Row 9, angle B, minutes"));
    EXPECT_EQ(spokenName(control("Command9")), QStringLiteral("Row 8, find a"));
    EXPECT_EQ(spokenName(control("Text37")), QStringLiteral("Angle B, minutes"));
    expectNamedUniquely(triangle);
    // Both windows are windows named by their titles, not unnamed panels.
    for (QWidget *shown : { static_cast<QWidget *>(&window), static_cast<QWidget *>(triangle) }) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(shown);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), QAccessible::Window) << qPrintable(shown->objectName());
        EXPECT_EQ(accessible->text(QAccessible::Name), shown->windowTitle());
    }
    triangle->close();
}

} // namespace
} // namespace kestrune
