#pragma once

#include <string>

namespace CLI {
class App;
}

namespace quorl::cli {

// `quorl report FILE.ppg -o FILE.pdf`: the printed summary as a PDF. Drawing
// needs Qt, which this tool does not link, so it runs the quorl-report program
// installed beside it and passes its result on.
int runReport(const std::string& input, const std::string& output);

void addReportCommand(CLI::App& app, int& exitCode);

} // namespace quorl::cli
