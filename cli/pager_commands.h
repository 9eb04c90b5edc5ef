#pragma once

#include <string>

namespace CLI {
class App;
}

namespace quorl::cli {

// `quorl read`, `quorl write` and `quorl verify`: the pager operations from a
// terminal. An empty port chooses the cradle as the program does.
int runRead(const std::string& port, const std::string& output);
int runWrite(const std::string& port, const std::string& file, bool verify);
int runVerify(const std::string& port, const std::string& file);

void addPagerCommands(CLI::App& app, int& exitCode);

} // namespace quorl::cli
