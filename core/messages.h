// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a check or a calculation has to tell the user: a message box with the OK button alone.
// The core only says what the box holds; the windows show it through their services, and a
// program without windows may print it.

#include <string>

namespace kestrune {

// Message-box styles: the icon beside the OK button.
enum MessageStyle : int { Stop = 16, Question = 32, Information = 64 };

struct Message {
    std::string title;
    std::string prompt;
    int style = Stop; // a MessageStyle

    bool operator==(const Message &) const = default;
};

} // namespace kestrune
