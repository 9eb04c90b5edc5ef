#include "cli/cradle_options.h"

#include "base/whole_write.h"
#include "cli/named_path.h"
#include "cli/refused_output.h"
#include "cli/trace_option.h"

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
        ->check(namedPath())
        ->each([](const std::string& path) {
            // Opened (and made) before any pager is programmed, so a log that cannot
            // be written is found now, not after every pager was done.
            std::string problem;
            const int fd = openForAppend(path, &problem);
            if (fd < 0)
                throw RefusedOutput("cannot append to the log " + problem);
            ::close(fd);
        });
    addTraceOption(command);
}

} // namespace quorl::cli
