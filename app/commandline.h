// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window program's own command line: --help and --version answer and end the program, and
// anything but Qt's own options is a usage error. The answer comes before the program connects
// to a display, so it works where there is none.

#include <optional>
#include <string>
#include <vector>

namespace tallimo {

// What the command line asks for when the program ends without a window.
struct CommandLineAnswer {
    int exitStatus = 0;
    std::string out;    // for standard output
    std::string error;  // for standard error
};

inline constexpr int ExitUsage = 2;

// The answer to the arguments after the program's name; none when the window is to start. Qt's
// own options (-platform, -display, -session, -style and the like) are left to Qt.
std::optional<CommandLineAnswer> AnswerCommandLine(const std::vector<std::string> &arguments);

// Answers the program's command line on its output streams. Returns the exit status when the
// program ends here, none when the window is to start.
std::optional<int> EndAtCommandLine(int argc, char *argv[]);

}  // namespace tallimo
