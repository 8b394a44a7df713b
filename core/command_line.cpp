#include "command_line.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>

#include "texts.h"

namespace apqr {

namespace {

// The options Qt 6.4 takes out of argv itself, each also in the "--option"
// spelling. One with a value takes the next argument, whatever it looks
// like, as Qt does; only three also take it after "=", and Qt leaves
// "-platform=xcb" alone, so that is refused here as unknown.
constexpr std::array<std::string_view, 7> kQtFlags{
    // QGuiApplication and QApplication
    "-reverse", "-testability", "-widgetcount", "-qdevel", "-qdebug",
    // the xcb platform plugin
    "-nograb", "-dograb"};
constexpr std::array<std::string_view, 17> kQtOptionsWithValue{
    // QCoreApplication, QGuiApplication and QApplication
    "-qmljsdebugger", "-platform", "-platformpluginpath", "-platformtheme", "-plugin",
    "-qwindowgeometry", "-qwindowicon", "-qwindowtitle", "-session", "-style", "-stylesheet",
    // X11 and the xcb platform plugin
    "-geometry", "-title", "-icon", "-display", "-name", "-visual"};
constexpr std::array<std::string_view, 3> kQtOptionsWithJoinedValue{
    "-qmljsdebugger=", "-style=", "-stylesheet="};

bool isOneOf(std::string_view argument, std::span<const std::string_view> options) {
    return std::ranges::find(options, argument) != options.end();
}

bool startsWithOneOf(std::string_view argument, std::span<const std::string_view> prefixes) {
    return std::ranges::any_of(
        prefixes, [argument](std::string_view prefix) { return argument.starts_with(prefix); });
}

CommandLineOutcome refuse(const std::string& message) {
    return {CommandLineAction::Refuse,
            message + '\n' + std::string(texts::kCommandLineHint) + '\n'};
}

}  // namespace

CommandLineOutcome readCommandLine(std::span<const std::string_view> arguments) {
    std::optional<std::string_view> firstOperand;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || !argument.starts_with('-')) {
            if (!firstOperand) firstOperand = argument;
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "-h" || argument == "--help")
            return {CommandLineAction::PrintHelp, std::string(texts::kUsage)};
        if (argument == "-v" || argument == "--version")
            return {CommandLineAction::PrintVersion, "apqr " APQR_VERSION "\n"};

        // Qt reads "--option" as "-option".
        const std::string_view qtSpelling =
            argument.starts_with("--") ? argument.substr(1) : argument;
        if (isOneOf(qtSpelling, kQtFlags) || startsWithOneOf(qtSpelling, kQtOptionsWithJoinedValue))
            continue;
        if (isOneOf(qtSpelling, kQtOptionsWithValue)) {
            if (i + 1 == arguments.size()) return refuse(texts::optionWithoutValue(argument));
            ++i;
            continue;
        }
        return refuse(texts::unknownOption(argument));
    }
    if (firstOperand) return refuse(texts::unexpectedArgument(*firstOperand));
    return {};
}

}  // namespace apqr
