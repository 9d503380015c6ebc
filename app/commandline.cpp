// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "common/programinfo.h"

namespace tallimo {

namespace {

// The name the program goes by in its answers, whatever path it was started by.
constexpr std::string_view ExecutableName = "tallimo";

// Qt's options that take a value, either as the next argument or after "=".
constexpr std::string_view QtValueOptions[] = {
    "platform",
    "platformpluginpath",
    "platformtheme",
    "plugin",
    "qwindowgeometry",
    "geometry",
    "qwindowtitle",
    "title",
    "qwindowicon",
    "icon",
    "session",
    "display",
    "name",
    "style",
    "stylesheet",
    "qmljsdebugger",
    "dialogs",
    "fontengine",
};

// Qt's options that stand alone.
constexpr std::string_view QtFlagOptions[] = {"reverse", "widgetcount", "nograb",
                                              "dograb",  "sync",        "testability"};

template <std::size_t N>
bool Names(const std::string_view (&names)[N], std::string_view name)
{
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

std::string HelpText()
{
    const std::string name(ExecutableName);
    return "Usage: " + name +
           " [options]\n"
           "The calculator window: a sheet of expressions, one per line; Enter or = appends each\n"
           "line's result and the sheet's total.\n"
           "\n"
           "Options:\n"
           "  -h, --help     Displays this help and ends.\n"
           "  -v, --version  Displays the version and ends.\n"
           "\n"
           "Qt's own options, such as -platform NAME or -display DISPLAY, are passed to Qt.\n"
           "See the manual page " +
           name + "(1) for the files the program keeps.\n";
}

CommandLineAnswer UsageError(const std::string &message)
{
    const std::string name(ExecutableName);
    return {ExitUsage, std::string(),
            name + ": " + message + "; '" + name + " --help' lists the options\n"};
}

}  // namespace

std::optional<CommandLineAnswer> AnswerCommandLine(const std::vector<std::string> &arguments)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "-h" || argument == "--help")
            return CommandLineAnswer{0, HelpText(), std::string()};
        if (argument == "-v" || argument == "--version")
            return CommandLineAnswer{0, std::string(ExecutableName) + ' ' + ProgramVersion + '\n',
                                     std::string()};
        if (argument.size() < 2 || argument[0] != '-')
            return UsageError("unexpected argument '" + arguments[i] + "'");
        // Qt reads its options with one dash or two.
        std::string_view option = argument.substr(argument[1] == '-' ? 2 : 1);
        const std::size_t equals = option.find('=');
        const bool valueAttached = equals != std::string_view::npos;
        option = option.substr(0, equals);
        if (Names(QtValueOptions, option)) {
            if (!valueAttached)
                ++i;
            continue;
        }
        if (!valueAttached && Names(QtFlagOptions, option))
            continue;
        return UsageError("unknown option '" + arguments[i] + "'");
    }
    return std::nullopt;
}

std::optional<int> EndAtCommandLine(int argc, char *argv[])
{
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    const std::optional<CommandLineAnswer> answer = AnswerCommandLine(arguments);
    if (!answer)
        return std::nullopt;
    std::fputs(answer->out.c_str(), stdout);
    std::fputs(answer->error.c_str(), stderr);
    // Output that cannot be written (a full disk, a closed pipe) is no success.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "%s: cannot write the output\n", std::string(ExecutableName).c_str());
        return ExitUsage;
    }
    return answer->exitStatus;
}

}  // namespace tallimo
