#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <utility>

namespace quorl::vq4::test {

// Runs the built `quorl` with `args` through the shell, `redirect` deciding which of
// its streams are read ("2>/dev/null" for standard output, "2>&1" for both); the exit
// code (-1 when it did not exit) and what was read.
inline std::pair<int, std::string> runQuorlShell(const std::string& args,
                                                 const std::string& redirect) {
    const std::string cmd = (std::filesystem::path(QUORL_TEST_BIN_DIR) / "quorl").string() + " " +
                            args + " " + redirect;
    FILE* p = ::popen(cmd.c_str(), "r");
    std::string out;
    std::array<char, 256> buf{};
    while (p && std::fgets(buf.data(), buf.size(), p))
        out += buf.data();
    const int status = p ? ::pclose(p) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

} // namespace quorl::vq4::test
