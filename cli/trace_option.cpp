#include "cli/trace_option.h"

#include "codeplug/whole_write.h"
#include "link/link_trace.h"

#include <CLI/CLI.hpp>

namespace quorl::cli {

void addTraceOption(CLI::App& command) {
    command.add_option_function<std::string>(
        "--trace",
        [](const std::string& path) {
            // Asked for and not written would leave support without the one record
            // that was wanted: refused before anything talks to the pager.
            if (std::string problem; !isRegularFileTarget(path, problem))
                throw CLI::ValidationError("--trace", problem);
            if (!startLinkTrace(path))
                throw CLI::ValidationError("--trace", "cannot write the trace file " + path);
        },
        "Append a trace of the link (bytes, steps, messages) to this file");
}

} // namespace quorl::cli
