// SPDX-License-Identifier: GPL-3.0-or-later
// The rehearsal of every step on Kestrune's windows, and the floors wired to show what it showed.

#include "bench/rehearsal.h"

#include "bench/floorwindow.h"

#include <QLineEdit>

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

    if (bench->messages != 0) giveUp("a message box came up during the rehearsal");
}

// The floor, wired to show what Kestrune showed: a keystroke in the projection box shows its twin
// and blanks the results, Enter shows the results.
void makeFloors()
{
    bench->mainFloor = makeFloorWindow(bench->main);
    QWidget *main = bench->mainFloor;
    QLineEdit *projection = box(main, "txtProjImp");
    QLineEdit *twin = box(main, "txtProjMet");
    QObject::connect(projection, &QLineEdit::textChanged, main, [main, twin](const QString &text) {
        twin->setText(bench->projectionTwin.value(text));
        for (const auto &[name, result] : bench->results)
            control<QLineEdit>(main, name)->clear();
    });
    QObject::connect(
        projection, &QLineEdit::returnPressed, main, [main] { show(main, bench->results); });
    main->show();
    settle();
}

} // namespace kestrune::interaction
