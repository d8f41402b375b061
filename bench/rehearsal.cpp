// SPDX-License-Identifier: GPL-3.0-or-later
// The rehearsal of every step on Kestrune's windows, and the floors wired to show what it showed.

#include "bench/rehearsal.h"

#include "bench/floorwindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

namespace kestrune::interaction {

Bench *bench = nullptr;

// The worked imperial example: 100 ft, 50 ft, 40 in, 30 degrees 0 minutes, typed into the boxes.
void typeImperialExample(QWidget *main)
{
    replaceText(box(main, "txtProjImp"), QStringLiteral("100"));
    replaceText(box(main, "txtRiseImp"), QStringLiteral("50"));
    replaceText(box(main, "txtWidthImp"), QStringLiteral("40"));
    replaceText(box(main, "txtDeg"), QStringLiteral("30"));
    replaceText(box(main, "txtMin"), QStringLiteral("0"));
}

// Runs each step once through Kestrune's windows and records what it showed, which the floors
// then show in the same boxes.
void rehearse()
{
    QWidget *main = bench->main;
    QLineEdit *projection = box(main, "txtProjImp");
    QLineEdit *projectionMetric = box(main, "txtProjMet");
    replaceText(projection, QStringLiteral("10"));
    bench->projectionTwin.insert(projection->text(), projectionMetric->text());
    type(QStringLiteral("5"));
    bench->projectionTwin.insert(projection->text(), projectionMetric->text());

    typeImperialExample(main);
    const Texts beforeCalculate = boxTexts(main);
    key(Qt::Key_Return);
    bench->results = changed(beforeCalculate, boxTexts(main));
    if (bench->results.size() != 9) giveUp("Calculate did not fill the nine results");

    key(Qt::Key_R, Qt::ControlModifier);
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("triangle") && window->isVisible())
            bench->triangle = window;
    }
    if (!bench->triangle) giveUp("Ctrl+R did not open the triangle window");
    QWidget *triangle = bench->triangle;
    replaceText(box(triangle, "Text31"), QStringLiteral("30"));
    replaceText(box(triangle, "Text30"), QStringLiteral("0"));
    replaceText(box(triangle, "Text33"), QStringLiteral("10"));
    clickButton(button(triangle, "Command9"));
    // What the benchmark repeats: h typed again after a solve, then the solve.
    replaceText(box(triangle, "Text33"), QStringLiteral("10"));
    const Texts beforeSolve = boxTexts(triangle);
    clickButton(button(triangle, "Command9"));
    bench->solveAfter = changed(beforeSolve, boxTexts(triangle), &bench->solveBefore);
    if (bench->solveAfter.size() < 4) giveUp("the triangle solve did not fill its results");
    if (bench->messages != 0) giveUp("a message box came up during the rehearsal");
}

// The floors, wired to show what Kestrune showed: a keystroke in the projection box shows its
// twin and blanks the results, Enter or the Calculate button shows the results, a keystroke in
// the triangle's h blanks what the solve writes and its button shows the solve's texts again.
void makeFloors()
{
    bench->mainFloor = makeFloorWindow(bench->main);
    bench->triangleFloor = makeFloorWindow(bench->triangle);
    QWidget *main = bench->mainFloor;
    QWidget *triangle = bench->triangleFloor;
    QLineEdit *projection = box(main, "txtProjImp");
    QLineEdit *twin = box(main, "txtProjMet");
    QObject::connect(projection, &QLineEdit::textChanged, main, [main, twin](const QString &text) {
        twin->setText(bench->projectionTwin.value(text));
        for (const auto &[name, result] : bench->results)
            control<QLineEdit>(main, name)->clear();
    });
    const auto showResults = [main] { show(main, bench->results); };
    QObject::connect(projection, &QLineEdit::returnPressed, main, showResults);
    QObject::connect(button(main, "cmdCalculate"), &QPushButton::clicked, main, showResults);
    QObject::connect(box(triangle, "Text33"), &QLineEdit::textChanged, triangle,
        [triangle] { show(triangle, bench->solveBefore); });
    QPushButton *solve = button(triangle, "Command9");
    QObject::connect(
        solve, &QPushButton::clicked, triangle, [triangle] { show(triangle, bench->solveAfter); });
    // Tab from h reaches the row's button, and Enter there presses it, as in Kestrune's window.
    QWidget::setTabOrder(box(triangle, "Text33"), solve);
    solve->setAutoDefault(true);
    main->show();
    triangle->show();
    settle();
}

} // namespace kestrune::interaction
