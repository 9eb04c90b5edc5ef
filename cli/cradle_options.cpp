#include "cli/cradle_options.h"

#include "cli/trace_option.h"
#include "codeplug/whole_write.h"

#include <CLI/CLI.hpp>
#include <unistd.h>

namespace quorl::cli {

bool stderrIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

void addCradleOptions(CLI::App& command, CradleChoice& choice, const std::string& allText) {
    auto* port = command.add_option("--port", choice.port,
                                    "Serial device or port name (default: the cradle)");
    auto* all = command.add_flag("--all", choice.all, allText)->excludes(port);
    command
        .add_option("--log", choice.log,
                    "Append one CSV row per pager to this file, as each pager ends")
        ->needs(all)
        ->check(
            [](const std::string& path) {
                // Refused before any pager is programmed, not after.
                std::string problem;
                return isRegularFileTarget(path, problem) ? std::string() : problem;
            },
            "");
    addTraceOption(command);
}

} // namespace quorl::cli
