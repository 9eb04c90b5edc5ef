#include "tests/support/program_run.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quorl::test {

namespace {

void appendAvailable(int fd, std::string& into, bool& open) {
    char buffer[4096];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0)
        into.append(buffer, static_cast<std::size_t>(n));
    else if (n == 0 || errno != EINTR)
        open = false;
}

[[noreturn]] void execChild(const ProgramRun& run, int outFd, int errFd) {
    const int in = ::open("/dev/null", O_RDONLY);
    ::dup2(in, STDIN_FILENO);
    if (!run.stdoutPath.empty()) {
        const int fd = ::open(run.stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(fd, STDOUT_FILENO);
    } else {
        ::dup2(outFd, STDOUT_FILENO);
    }
    ::dup2(errFd, STDERR_FILENO);
    for (const auto& [name, value] : run.env) {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
    std::vector<char*> argv;
    for (const auto& a : run.args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
}

} // namespace

ProgramResult runProgram(const ProgramRun& run) {
    ProgramResult result;
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
        return result;
    const pid_t pid = ::fork();
    if (pid == 0)
        execChild(run, out[1], err[1]);
    ::close(out[1]);
    ::close(err[1]);
    const auto deadline = std::chrono::steady_clock::now() + run.timeout;
    bool outOpen = true, errOpen = true;
    while (outOpen || errOpen) {
        pollfd fds[2] = {{outOpen ? out[0] : -1, POLLIN, 0}, {errOpen ? err[0] : -1, POLLIN, 0}};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result.timedOut = true;
            ::kill(pid, SIGKILL);
            break;
        }
        if (::poll(fds, 2, static_cast<int>(std::min<long long>(left.count(), 200))) < 0 &&
            errno != EINTR)
            break;
        if (fds[0].revents)
            appendAvailable(out[0], result.out, outOpen);
        if (fds[1].revents)
            appendAvailable(err[0], result.err, errOpen);
    }
    ::close(out[0]);
    ::close(err[0]);
    int status = 0;
    // It may linger after closing its output; the time-out holds for that too. Its
    // process descriptor becomes readable when it ends.
    const int ended = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            result.timedOut = true;
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        pollfd gone{ended, POLLIN, 0};
        if (ended < 0 || ::poll(&gone, 1, static_cast<int>(left.count())) < 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(10)); // no descriptor
    }
    if (ended >= 0)
        ::close(ended);
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    return result;
}

ProgramResult runProgram(std::vector<std::string> args) {
    ProgramRun run;
    run.args = std::move(args);
    return runProgram(run);
}

} // namespace quorl::test
