// quorl: the command-line companion of Tessaly VI Quorl. No display needed.
#include "cli/audio_commands.h"
#include "cli/codeplug_commands.h"
#include "cli/inventory_commands.h"
#include "cli/link_commands.h"
#include "cli/output_check.h"
#include "cli/pager_commands.h"
#include "cli/report_command.h"
#include "cli/text_commands.h"
#include "cli/tones_commands.h"
#include "cli/tool_help.h"

#include <CLI/CLI.hpp>

int main(int argc, char** argv) {
    CLI::App app{"Tessaly VI Quorl command-line tool", "quorl"};
    app.require_subcommand(1);
    quorl::cli::describeTool(app);
    int exitCode = quorl::cli::kExitOk;
    quorl::cli::addCodeplugCommands(app, exitCode);
    quorl::cli::addReportCommand(app, exitCode);
    quorl::cli::addTextCommands(app, exitCode);
    quorl::cli::addAudioCommands(app, exitCode);
    quorl::cli::addLinkCommands(app, exitCode);
    quorl::cli::addPagerCommands(app, exitCode);
    quorl::cli::addInventoryCommands(app, exitCode);
    quorl::cli::addTonesCommands(app, exitCode);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int printed = app.exit(e);
        // --help is not a usage error; everything else the parser rejects is.
        exitCode = printed == 0 ? quorl::cli::kExitOk : quorl::cli::kExitUsage;
    }
    // One place for every command, so none can report success for output that was lost.
    return quorl::cli::exitCodeAfterOutput(exitCode);
}
