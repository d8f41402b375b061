// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The windows the benchmarks drive: Kestrune's own and their floors, the same windows built from
// the toolkit's plain widgets. A rehearsal runs each step once through Kestrune's windows and
// records what it showed; the floors are then wired to show the same in the same boxes.

#include "bench/userinput.h"
#include "tools/recordingservices.h"

#include <QHash>
#include <QPointer>

#include <memory>

namespace kestrune::interaction {

// Kestrune's windows, their floors, and what a rehearsal of each step showed on the screen.
struct Bench {
    std::unique_ptr<RecordingServices> services;
    int messages = 0;
    QPointer<QWidget> main;
    QPointer<QWidget> triangle;
    QPointer<QWidget> mainFloor;
    QPointer<QWidget> triangleFloor;
    // The metric twin Kestrune shows for each text typed into txtProjImp.
    QHash<QString, QString> projectionTwin;
    // The boxes Calculate fills, with their texts; the boxes the triangle solve changes, with
    // their texts before and after.
    Texts results;
    Texts solveBefore;
    Texts solveAfter;
};
extern Bench *bench;

void typeImperialExample(QWidget *main);
void rehearse();
void makeFloors();

} // namespace kestrune::interaction
