#include "app/program_information.h"

#include "resources/help_texts.h"

#include <ostream>
#include <quorl_version.h>
#include <string_view>

namespace quorl {

namespace {

constexpr const char* kUsage =
    "Usage: tessaly-vi-quorl [OPTIONS] [FILE.ppg | FILE.yaml]\n"
    "Reads, edits and writes the codeplug of a Tessaly VI two-tone voice pager in its\n"
    "programming cradle, keeps codeplugs in .ppg files, prints their summary and\n"
    "writes custom audio into the pager. A FILE.ppg or codeplug text FILE.yaml given\n"
    "opens at start.\n"
    "\n"
    "Options:\n"
    "  -h, --help         Print this help and exit.\n"
    "  --version          Print the version and exit.\n"
    "  -platform NAME     Qt's display platform (for example xcb, wayland or\n"
    "                     offscreen); Qt's other standard options are accepted too.\n"
    "\n";

constexpr const char* kOwnEnvironment =
    "  QUORL_DATA_DIR     Installation folder with Lib, WavForms and Help (default:\n"
    "                     ../share/tessaly-vi-quorl beside the program's folder).\n"
    "  XDG_CONFIG_HOME    Per-user settings folder (default: ~/.config).\n";

constexpr const char* kOwnFiles =
    "  ~/.config/Local AppWizard-Generated Applications/Tessaly VI Quorl.ini\n"
    "                     Settings: last folder, recent files, serial port, tips.\n"
    "  /usr/share/tessaly-vi-quorl/Help/index.html\n"
    "                     The manual that Help (F1) opens.\n";

} // namespace

std::optional<int> answerInformationRequest(int argc, const char* const* argv, std::ostream& out) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--version") {
            out << "tessaly-vi-quorl " << QUORL_VERSION << '\n';
            return 0;
        }
        if (arg == "-h" || arg == "--help") {
            out << kUsage << help::kEnvironmentHelp << kOwnEnvironment << '\n'
                << help::kFilesHelp << kOwnFiles;
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace quorl
