#include <QApplication>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "application.h"
#include "command_line.h"
#include "window/form1.h"

namespace {

// The exit status of a refused command line, as getopt's programs use it.
constexpr int kExitUsage = 2;

// Whether all of the text reached the stream, so that "apqr --help >/dev/full"
// does not pass for success.
bool print(std::FILE* stream, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
           std::fflush(stream) == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Read before any application object exists: --help and --version need
    // no display, and a refused argument opens no window.
    const std::span<char*> all(argv, static_cast<std::size_t>(argc));
    const std::vector<std::string_view> arguments(all.empty() ? all.end() : all.begin() + 1,
                                                  all.end());
    const apqr::CommandLineOutcome outcome = apqr::readCommandLine(arguments);
    switch (outcome.action) {
        case apqr::CommandLineAction::OpenWindow:
            break;
        case apqr::CommandLineAction::PrintHelp:
        case apqr::CommandLineAction::PrintVersion:
            return print(stdout, outcome.text) ? 0 : 1;
        case apqr::CommandLineAction::Refuse:
            print(stderr, outcome.text);
            return kExitUsage;
    }

    QApplication app(argc, argv);
    apqr::ui::setUpApplication(app);

    apqr::ui::Form1 form;
    form.show();
    return QApplication::exec();
}
