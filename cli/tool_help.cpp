#include "cli/tool_help.h"

#include "cli/codeplug_commands.h"
#include "resources/help_texts.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <quorl_version.h>
#include <sstream>
#include <string>
#include <vector>

namespace quorl::cli {

namespace {

// The headings are the ones help2man turns into manual sections.
std::string toolFooter() {
    return "Exit status:\n"
           "  " +
           std::to_string(kExitOk) +
           "   Success.\n"
           "  " +
           std::to_string(kExitFailure) +
           "   Failure; the program's message is on standard error.\n"
           "  " +
           std::to_string(kExitUsage) +
           "   Usage error: unknown command or option, missing or invalid argument.\n"
           "  diff exits 0 when the two codeplugs are the same, 1 when they differ and\n"
           "  2 when one cannot be read; verify exits 1 when the pager differs from\n"
           "  the file.\n"
           "\n" +
           help::kEnvironmentHelp + "\n" + help::kFilesHelp + "\n" + help::kExamplesHelp;
}

bool listed(const CLI::App* command) {
    // CLI11 hides a command by giving it no group.
    return !command->get_group().empty();
}

void writeEntry(std::ostream& out, const std::string& name, const std::string& text) {
    constexpr std::size_t kColumn = 30;
    out << "  " << name;
    if (name.size() + 2 < kColumn)
        out << std::string(kColumn - 2 - name.size(), ' ');
    else
        out << "\n" << std::string(kColumn, ' ');
    out << text << '\n';
}

std::string optionName(const CLI::Option* option) {
    std::string name = option->get_name(true, true);
    // CLI11 appends a validator's text ("INT:INT in [0 - 6]"); the manual and the
    // completion want the plain kind of value, the descriptions give the range.
    const std::string type = option->get_type_name().substr(0, option->get_type_name().find(':'));
    if (option->get_type_size_max() > 0 && !type.empty())
        name += ' ' + type;
    if (option->get_required())
        name += " REQUIRED";
    return name;
}

struct Command {
    std::string path; // "audio compress"
    const CLI::App* app;
};

// Commands that only group others (`audio`) stand for their members.
void collectCommands(const CLI::App* app, const std::string& path, std::vector<Command>& out) {
    const auto members = app->get_subcommands(listed);
    if (members.empty()) {
        out.push_back({path, app});
        return;
    }
    for (const CLI::App* member : members)
        collectCommands(member, path.empty() ? member->get_name() : path + ' ' + member->get_name(),
                        out);
}

// A command's block: its synopsis as a heading, the description, then its
// arguments and options.
void writeCommand(std::ostream& out, const std::string& tool, const Command& command) {
    const auto options = command.app->get_options([&command](const CLI::Option* o) {
        return !o->get_group().empty() && o != command.app->get_help_ptr();
    });
    std::string synopsis = tool + ' ' + command.path;
    bool anyOption = false;
    for (const CLI::Option* o : options)
        anyOption = anyOption || !o->get_positional();
    if (anyOption)
        synopsis += " [OPTIONS]";
    for (const CLI::Option* o : options)
        if (o->get_positional())
            synopsis += ' ' + o->get_name();
    // The blank line keeps the description a paragraph of its own in the manual.
    out << '\n' << synopsis << ":\n  " << command.app->get_description() << "\n\n";
    for (const CLI::Option* o : options)
        writeEntry(out, optionName(o), o->get_description());
    if (const std::string footer = command.app->get_footer(); !footer.empty())
        out << '\n' << footer;
}

std::string fullHelp(const CLI::App& app) {
    std::ostringstream out;
    out << "Usage: " << app.get_name() << " [OPTIONS] COMMAND [ARGUMENTS]\n"
        << app.get_description() << ".\n\nOptions:\n";
    for (const CLI::Option* o :
         app.get_options([](const CLI::Option* o) { return !o->get_group().empty(); }))
        writeEntry(out, optionName(o), o->get_description());
    std::vector<Command> commands;
    collectCommands(&app, "", commands);
    out << "\nCommands:\n";
    for (const Command& command : commands)
        writeEntry(out, command.path, command.app->get_description());
    for (const Command& command : commands)
        writeCommand(out, app.get_name(), command);
    out << '\n' << toolFooter();
    return out.str();
}

} // namespace

void describeExitCodes(CLI::App& command,
                       std::initializer_list<std::pair<int, std::string_view>> codes) {
    std::string text = "Exit status of " + command.get_name() + ":\n";
    for (const auto& [code, meaning] : codes)
        text += "  " + std::to_string(code) + "   " + std::string(meaning) + "\n";
    bool usageGiven = false;
    for (const auto& entry : codes)
        usageGiven = usageGiven || entry.first == kExitUsage;
    if (!usageGiven)
        text += "  " + std::to_string(kExitUsage) + "   Usage error.\n";
    command.footer(text);
}

void describeTool(CLI::App& app) {
    app.set_version_flag("--version", std::string("quorl ") + QUORL_VERSION,
                         "Print the version and exit");
    app.add_flag_callback(
        "--help-all",
        [&app] {
            std::fputs(fullHelp(app).c_str(), stdout);
            throw CLI::Success();
        },
        "Print the help of every command and exit");
    // A callback, unlike a fixed footer, is not copied to the commands added later:
    // only `quorl --help` ends with it.
    app.footer([] { return toolFooter(); });
}

} // namespace quorl::cli
