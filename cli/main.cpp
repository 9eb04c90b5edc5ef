// quorl: the command-line companion of Tessaly VI Quorl. No display needed.
#include "base/output_check.h"
#include "base/printable_text.h"
#include "cli/audio_commands.h"
#include "cli/codeplug_commands.h"
#include "cli/inventory_commands.h"
#include "cli/link_commands.h"
#include "cli/pager_commands.h"
#include "cli/refused_output.h"
#include "cli/report_command.h"
#include "cli/text_commands.h"
#include "cli/tones_commands.h"
#include "cli/tool_help.h"
#include "cli/trace_option.h"

#include <CLI/CLI.hpp>
#include <iostream>

int main(int argc, char** argv) {
    quorl::keepOutputErrors();
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
    // A misspelt command is named, rather than reported as no command at all.
    const auto isCommand = [&app](const std::string& name) {
        return !app.get_subcommands([&name](const CLI::App* c) { return c->check_name(name); })
                    .empty();
    };
    if (argc > 1 && argv[1][0] != '-' && !isCommand(argv[1])) {
        std::cerr << "quorl: there is no command '" << quorl::printableText(argv[1])
                  << "'\nRun with --help for the list of commands.\n";
        return quorl::exitCodeAfterOutput(quorl::cli::kExitUsage);
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int printed = app.exit(e);
        // --help is not a usage error; everything else the parser rejects is.
        exitCode = printed == 0 ? quorl::cli::kExitOk : quorl::cli::kExitUsage;
    } catch (const quorl::cli::RefusedOutput& e) {
        std::cerr << "quorl: " << quorl::printableText(e.what()) << '\n';
        exitCode = quorl::cli::kExitFailure;
    }
    // One place for every command, so none can report success for output that was lost.
    return quorl::exitCodeAfterOutput(quorl::cli::exitCodeAfterTrace(exitCode));
}
