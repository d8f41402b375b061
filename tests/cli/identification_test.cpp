// SPDX-License-Identifier: GPL-3.0-or-later
// One meaning of a character: the main window's identification box and kestrune-calc keep the same
// text of an identification longer than 30 characters.

#include "cli/commands/escalatorrow.h"
#include "mainwindow/mainwindow.h"
#include "platform/textbox.h"
#include "tools/recordingservices.h"

#include <gtest/gtest.h>

namespace kestrune {
namespace {

TEST(Identification, TheWindowAndKestruneCalcKeepTheSameCharacters)
{
    RecordingServices services([](const QString &) {});
    MainWindow window(services);
    TextBox *box = window.controls().identification;
    // 29 letters, then an e with a combining acute accent (two code points, one character), an
    // accented letter of one code point, a flag of two.
    for (const std::string last : { "e\xCC\x81", "\xC3\xA9", "\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA" }) {
        const std::string given = std::string(29, 'x') + last + "overflow";
        box->setFieldText(QString::fromStdString(given));
        EscalatorEntry entry;
        entry.id = given;
        entry.projection = "100";
        entry.rise = "50";
        entry.width = "40";
        entry.degrees = "30";
        entry.minutes = "0";
        const std::string kept = CalculateEscalator(entry).report.identification;
        EXPECT_EQ(kept, box->text().toStdString());
        EXPECT_EQ(kept, std::string(29, 'x') + last);
    }
}

} // namespace
} // namespace kestrune
