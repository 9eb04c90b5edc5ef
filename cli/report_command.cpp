#include "cli/report_command.h"

#include "base/whole_write.h"
#include "cli/codeplug_commands.h"
#include "cli/named_path.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace quorl::cli {

namespace {
std::filesystem::path siblingProgram(const char* name) {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path(name) : self.parent_path() / name;
}
} // namespace

int runReport(const std::string& input, const std::string& output) {
    if (std::string problem; !isRegularFileTarget(output, problem)) {
        std::fprintf(stderr, "quorl report: %s\n", problem.c_str());
        return kExitFailure;
    }
    const auto program = siblingProgram("quorl-report");
    if (!std::filesystem::exists(program)) {
        std::fprintf(stderr, "quorl report needs %s, which is not installed\n", program.c_str());
        return kExitFailure;
    }
    std::vector<std::string> args{program.string(), input, "-o", output};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        std::perror("quorl report");
        return kExitFailure;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            std::perror("quorl report");
            return kExitFailure;
        }
    }
    if (WIFSIGNALED(status)) {
        std::fprintf(stderr, "quorl report: the PDF renderer failed (%s); no report was written\n",
                     strsignal(WTERMSIG(status)));
        return kExitFailure;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : kExitFailure;
}

void addReportCommand(CLI::App& app, int& exitCode) {
    auto* report =
        app.add_subcommand("report", "Write the printed summary of a .ppg file as a PDF");
    auto input = std::make_shared<std::string>();
    auto output = std::make_shared<std::string>();
    report->add_option("file", *input, "Codeplug file (.ppg)")->required();
    report->add_option("-o,--output", *output, "PDF file to write")->required()->check(namedPath());
    report->callback([input, output, &exitCode] { exitCode = runReport(*input, *output); });
}

} // namespace quorl::cli
