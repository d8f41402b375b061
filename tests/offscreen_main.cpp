// SPDX-License-Identifier: GPL-3.0-or-later
// The entry of the GoogleTest programs that run Kestrune's widgets on the offscreen platform.

#include "tools/headless.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    kestrune::prepareHeadlessRun();
    QApplication app(argc, argv);
    kestrune::configureHeadlessRun();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
