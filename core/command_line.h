#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// What the program does with its command line. It takes nothing for its work
// from there; it only keeps the conventions of a Debian program: --help and
// --version answer without a display, anything unknown is refused before a
// window could open, and Qt's own options go on to Qt untouched.
namespace apqr {

enum class CommandLineAction : std::uint8_t {
    OpenWindow,    // no argument of ours: construct the application as always
    PrintHelp,     // text to standard output, exit status 0
    PrintVersion,  // text to standard output, exit status 0
    Refuse,        // text to standard error, exit status 2, no window
};

struct CommandLineOutcome {
    CommandLineAction action = CommandLineAction::OpenWindow;
    // What to print, ending in a line feed; empty for OpenWindow.
    std::string text;
};

// Reads the arguments after the program name, as getopt does: options in
// order, the first of --help, --version or a bad option decides; an operand
// (anything not an option, and everything after "--") is refused only when
// no option decided first, so that "apqr datei --help" still helps.
[[nodiscard]] CommandLineOutcome readCommandLine(std::span<const std::string_view> arguments);

}  // namespace apqr
