// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window the benchmarks drive: Kestrune's main window and its floor, the same window built
// from the toolkit's plain widgets. A rehearsal runs each step once through Kestrune's windows and
// records what it showed; the floors are then wired to show the same in the same boxes.

#include "bench/userinput.h"
#include "tools/recordingservices.h"

#include <QHash>
#include <QPointer>

#include <memory>

namespace kestrune::interaction {

// Kestrune's window, its floor, and what a rehearsal of each step showed on the screen.
struct Bench {
    std::unique_ptr<RecordingServices> services;
    int messages = 0;
    QPointer<QWidget> main;
    QPointer<QWidget> mainFloor;
    // The metric twin Kestrune shows for each text typed into txtProjImp.
    QHash<QString, QString> projectionTwin;
    // The boxes Calculate fills, with their texts.
    Texts results;
};
extern Bench *bench;

void typeImperialExample(QWidget *main);
void rehearse();
void makeFloors();

} // namespace kestrune::interaction
