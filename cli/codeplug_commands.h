#pragma once

#include <iosfwd>
#include <string>

namespace quorl {
struct CodeplugState;
class CodeplugImage;
} // namespace quorl

namespace CLI {
class App;
}

namespace quorl::cli {

// Exit codes of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// `quorl check FILE.ppg`: opens the file as the program's Open does and runs the
// image check.
int runCheck(const std::string& path, std::ostream& out, std::ostream& err);

// `quorl info FILE.ppg [--json]`: the decoded identity of the codeplug.
int runInfo(const std::string& path, bool json, std::ostream& out, std::ostream& err);

struct InfoNode;
// The identity part of `quorl info`; the option, switch and channel parts add theirs.
void addIdentity(InfoNode& root, const CodeplugState& state);

void addModelOptions(InfoNode& root, const CodeplugImage& image);
void addSwitches(InfoNode& root, const CodeplugImage& image);

// Registers both subcommands; the result of the one that ran lands in `exitCode`.
void addCodeplugCommands(CLI::App& app, int& exitCode);

} // namespace quorl::cli
