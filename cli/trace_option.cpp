#include "cli/trace_option.h"

#include "cli/codeplug_commands.h"
#include "cli/named_path.h"
#include "cli/refused_output.h"
#include "link/link_trace.h"

#include <CLI/CLI.hpp>
#include <cstdio>

namespace quorl::cli {

void addTraceOption(CLI::App& command) {
    command
        .add_option_function<std::string>(
            "--trace",
            [](const std::string& path) {
                // Asked for and not written would leave support without the one record
                // that was wanted: refused before anything talks to the pager.
                if (std::string problem; !startLinkTrace(path, &problem))
                    throw RefusedOutput("cannot write the trace file " + problem);
            },
            "Append a trace of the link (bytes, steps, messages) to this file")
        ->check(namedPath());
}

int exitCodeAfterTrace(int exitCode) {
    const LinkTrace* trace = activeLinkTrace();
    if (trace == nullptr || trace->problem().empty())
        return exitCode;
    std::fprintf(stderr, "quorl: lines are missing from the trace file %s\n",
                 trace->problem().c_str());
    return exitCode == kExitOk ? kExitFailure : exitCode;
}

} // namespace quorl::cli
