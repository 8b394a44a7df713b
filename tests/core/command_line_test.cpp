#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace apqr {
namespace {

// What scripts/check-install.sh cannot see from outside: Qt's options and
// their values passing through, the order in which arguments decide, and
// what a refusal echoes. That script runs --help, --version and the plain
// refusals on the installed program.
TEST(CommandLine, LeavesQtItsOptionsAndDecidesInOrder) {
    using enum CommandLineAction;
    struct Case {
        std::vector<std::string_view> arguments;
        CommandLineAction action;
        std::string_view named;  // what a refusal must quote; empty for the others
    };
    const std::vector<Case> cases{
        {{"-platform", "offscreen"}, OpenWindow, ""},
        // A value belongs to Qt's option, however much it looks like ours.
        {{"--qwindowtitle", "--help"}, OpenWindow, ""},
        {{"-style=Fusion", "--stylesheet", "a.qss", "-reverse", "--nograb"}, OpenWindow, ""},
        {{"--"}, OpenWindow, ""},
        {{"-platform"}, Refuse, "„-platform“"},
        {{"-platform=xcb"}, Refuse, "„-platform=xcb“"},
        {{"---reverse"}, Refuse, "„---reverse“"},
        // Options first, as getopt does; an operand only when none decided.
        {{"datei", "--help"}, PrintHelp, ""},
        {{"--bogus", "--help"}, Refuse, "„--bogus“"},
        {{"--version", "--bogus"}, PrintVersion, ""},
        {{"--", "--help"}, Refuse, "„--help“"},
        {{"-"}, Refuse, "„-“"},
        // No escape sequence reaches the terminal.
        {{"--a\x1b[2Jb\n"}, Refuse, "„--a?[2Jb?“"},
    };
    for (const auto& [arguments, action, named] : cases) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        const CommandLineOutcome outcome = readCommandLine(arguments);
        EXPECT_EQ(outcome.action, action);
        EXPECT_EQ(outcome.text.empty(), action == OpenWindow);
        EXPECT_NE(outcome.text.find(named), std::string::npos) << outcome.text;
    }
}

}  // namespace
}  // namespace apqr
