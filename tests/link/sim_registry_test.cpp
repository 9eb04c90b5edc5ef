#include "base/private_folder.h"
#include "link/cradle_discovery.h"
#include "tests/support/folder_watch.h"
#include "tests/support/link_test_support.h"
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorl {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kOtherUser = 65534; // nobody

// Sets environment variables for one test and puts them back afterwards.
class ScopedEnv {
public:
    void set(const char* name, const std::optional<std::string>& value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

DiscoverySources sourcesWith(const test::TempDir& dir, const fs::path& registry) {
    DiscoverySources sources;
    fs::create_directories(dir.path() / "sys" / "class" / "tty");
    sources.sysfsRoot = dir.path() / "sys";
    sources.simRegistryFile = registry;
    sources.readEnvironment = false;
    return sources;
}

std::string lineFor(const std::string& device, long pid = ::getpid()) {
    return std::to_string(pid) + ' ' + device + '\n';
}

struct RunningSim {
    RunningSim() : sim(sim::PagerModel(test::defaultTestCodeplug()), {}) {
        std::string error;
        if (!sim.start(error))
            throw std::runtime_error(error);
    }
    sim::PagerSimulator sim;
};

TEST(SimRegistry, LivesInAFolderOfTheUsersOwnNeverUnderTmp) {
    test::TempDir dir;
    ScopedEnv env;
    env.set("XDG_RUNTIME_DIR", std::nullopt);
    env.set("XDG_STATE_HOME", (dir.path() / "state").string());
    EXPECT_EQ(defaultSimRegistryFile(), dir.path() / "state" / "tessaly-vi-quorl" / "sim-cradles");
    env.set("XDG_STATE_HOME", std::nullopt);
    env.set("HOME", (dir.path() / "home").string());
    // A relative runtime folder would be wherever the program was started: passed over.
    env.set("XDG_RUNTIME_DIR", "run");
    const fs::path registry = defaultSimRegistryFile();
    EXPECT_EQ(registry,
              dir.path() / "home" / ".local" / "state" / "tessaly-vi-quorl" / "sim-cradles");

    RunningSim a;
    ASSERT_TRUE(registerSimulatedCradle(registry, a.sim.devicePath()));
    struct stat st {};
    ASSERT_EQ(::stat(registry.parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(registry.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0077, 0u);
    EXPECT_EQ(test::fileText(registry), lineFor(a.sim.devicePath()));
}

TEST(SimRegistry, AFolderOthersCanChangeIsNeitherReadNorWritten) {
    test::TempDir dir;
    RunningSim a;
    const fs::path folder = dir.path() / "open";
    fs::create_directory(folder);
    test::writeText(folder / "sim-cradles", lineFor(a.sim.devicePath()));
    ::chmod(folder.c_str(), 0777);

    const auto listing = listCradles(false, sourcesWith(dir, folder / "sim-cradles"));
    EXPECT_TRUE(listing.cradles.empty());
    ASSERT_EQ(listing.errors.size(), 1u);
    EXPECT_NE(listing.errors[0].find(folder.string() + ": other users may write to it"),
              std::string::npos)
        << listing.errors[0];
    std::string problem;
    EXPECT_FALSE(registerSimulatedCradle(folder / "sim-cradles", "/dev/pts/0", problem));
    EXPECT_EQ(test::fileText(folder / "sim-cradles"), lineFor(a.sim.devicePath()));

    if (::geteuid() != 0)
        return;
    // Another user made the folder first, as one could under /tmp.
    ::chmod(folder.c_str(), 0755);
    ASSERT_EQ(::chown(folder.c_str(), kOtherUser, kOtherUser), 0);
    const auto theirs = listCradles(false, sourcesWith(dir, folder / "sim-cradles"));
    EXPECT_TRUE(theirs.cradles.empty());
    ASSERT_EQ(theirs.errors.size(), 1u);
    EXPECT_NE(theirs.errors[0].find("not by you"), std::string::npos) << theirs.errors[0];
}

TEST(SimRegistry, APlantedLinkIsNeitherFollowedForReadingNorForWriting) {
    test::TempDir dir;
    RunningSim a, b;
    const fs::path victim = dir.path() / "victim.conf";
    test::writeText(victim, lineFor(a.sim.devicePath()));
    fs::create_directory(dir.path() / "run");
    const fs::path registry = dir.path() / "run" / "sim-cradles";
    fs::create_symlink(victim, registry);

    const auto listing = listCradles(false, sourcesWith(dir, registry));
    EXPECT_TRUE(listing.cradles.empty());
    ASSERT_EQ(listing.errors.size(), 1u);
    EXPECT_NE(listing.errors[0].find("is a symbolic link"), std::string::npos);

    ASSERT_TRUE(registerSimulatedCradle(registry, b.sim.devicePath()));
    EXPECT_EQ(test::fileText(victim), lineFor(a.sim.devicePath()));
    EXPECT_FALSE(fs::is_symlink(registry));
    EXPECT_EQ(test::fileText(registry), lineFor(b.sim.devicePath()));
}

TEST(SimRegistry, LinesOfEndedSimulatorsAndOfOtherDevicesAreDropped) {
    test::TempDir dir;
    RunningSim a;
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    const fs::path registry = dir.path() / "sim-cradles";
    // A killed simulator's line names a terminal that may since belong to anyone.
    test::writeText(registry, lineFor(a.sim.devicePath(), ended) + a.sim.devicePath() + '\n');
    EXPECT_TRUE(listCradles(false, sourcesWith(dir, registry)).cradles.empty());

    // Character devices that are not a pseudo-terminal are never simulated cradles.
    ASSERT_TRUE(registerSimulatedCradle(registry, "/dev/null"));
    ASSERT_TRUE(registerSimulatedCradle(registry, a.sim.devicePath()));
    const auto listing = listCradles(false, sourcesWith(dir, registry));
    ASSERT_EQ(listing.cradles.size(), 1u);
    EXPECT_EQ(listing.cradles[0].devicePath, a.sim.devicePath());
    // Rewriting keeps only the live line.
    ASSERT_TRUE(registerSimulatedCradle(registry, a.sim.devicePath()));
    EXPECT_EQ(test::fileText(registry), lineFor(a.sim.devicePath()));
    unregisterSimulatedCradle(registry, a.sim.devicePath());
    EXPECT_EQ(test::fileText(registry), "");
}

TEST(SimRegistry, TheSystemTreeCanBeReplacedThroughTheEnvironment) {
    ScopedEnv env;
    env.set("QUORL_SYSFS_ROOT", "/somewhere/sys");
    EXPECT_EQ(DiscoverySources().sysfsRoot, "/somewhere/sys");
    env.set("QUORL_SYSFS_ROOT", std::nullopt);
    EXPECT_EQ(DiscoverySources().sysfsRoot, "/sys");
}

const std::string kSimProgram = std::string(QUORL_TEST_BIN_DIR) + "/quorl-pager-sim";

TEST(PagerSimulatorProgram, UsageErrorsExitTwo) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--no-such-option"},
                                                 {"--erase-ms", "abc"},
                                                 {"--erase-ms", "-5"},
                                                 {"--drop", "zz"},
                                                 {"--supported-version", "1"},
                                                 {"extra"}}) {
        std::vector<std::string> argv{kSimProgram};
        argv.insert(argv.end(), args.begin(), args.end());
        const auto r = test::runProgram(argv);
        EXPECT_EQ(r.exitCode, 2) << args[0] << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_EQ(test::runProgram({kSimProgram, "--help"}).exitCode, 0);
}

TEST(PagerSimulatorProgram, RefusesToReplaceWhatItDidNotMake) {
    test::TempDir dir;
    const fs::path file = dir.path() / "ttySIM0";
    test::writeText(file, "someone's file");
    auto r = test::runProgram({kSimProgram, "--link", file.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("not replacing"), std::string::npos) << r.err;
    EXPECT_EQ(test::fileText(file), "someone's file");

    const fs::path link = dir.path() / "ttySIM1";
    fs::create_symlink(dir.path() / "victim", link);
    r = test::runProgram({kSimProgram, "--link", link.string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(fs::read_symlink(link), dir.path() / "victim");
}

TEST(PagerSimulatorProgram, RegisteringInAFolderOthersControlFails) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "tessaly-vi-quorl");
    ::chmod((dir.path() / "tessaly-vi-quorl").c_str(), 0777);
    test::ProgramRun run;
    run.args = {kSimProgram, "--register"};
    run.env["XDG_RUNTIME_DIR"] = dir.path().string();
    const auto r = test::runProgram(run);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("other users may write to it"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir.path() / "tessaly-vi-quorl" / "sim-cradles"));
}

// The script run.sh starts the program through: its simulator must not outlive it,
// however it ends.
TEST(WithSimulatorScript, StopsTheSimulatorWhenTerminatedOrHungUp) {
    const std::string script = std::string(QUORL_TEST_SOURCE_DIR) + "/scripts/with-simulator.sh";
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
        test::TempDir dir;
        const fs::path registry = dir.path() / "tessaly-vi-quorl" / "sim-cradles";
        // The command says on this pipe that it runs, then waits a minute.
        int started[2];
        ASSERT_EQ(::pipe2(started, O_CLOEXEC), 0);
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
            ::dup2(started[1], STDOUT_FILENO);
            ::execl("/bin/bash", "bash", script.c_str(), QUORL_TEST_BIN_DIR, "/bin/sh", "-c",
                    "echo running; exec sleep 60", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(started[1]);
        pollfd running{started[0], POLLIN, 0};
        ASSERT_EQ(::poll(&running, 1, 20000), 1) << "the command never started";
        ::close(started[0]);
        // The script has made the folder before it started the simulator.
        std::string line;
        test::waitForFolderChange(
            registry.parent_path(), [&] { return !(line = test::fileText(registry)).empty(); },
            std::chrono::seconds(10));
        ASSERT_FALSE(line.empty()) << "simulator never registered";
        const long simPid = std::stol(line);
        const int simGone = static_cast<int>(::syscall(SYS_pidfd_open, simPid, 0));
        ASSERT_GE(simGone, 0);
        const auto sent = std::chrono::steady_clock::now();
        ::kill(pid, signal);
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status)) << signal;
        // At once, not only when the command (a minute's sleep here) ends by itself.
        EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::seconds(20)) << signal;
        // The simulator is gone with its registration and link: its process descriptor
        // becomes readable when it ends.
        pollfd ended{simGone, POLLIN, 0};
        EXPECT_EQ(::poll(&ended, 1, 5000), 1) << signal;
        ::close(simGone);
        EXPECT_NE(::kill(static_cast<pid_t>(simPid), 0), 0) << signal;
        EXPECT_EQ(test::fileText(registry), "") << signal;
        EXPECT_FALSE(fs::exists(fs::symlink_status(dir.path() / "tessaly-vi-quorl" / "ttySIM0")));
    }
}

} // namespace
} // namespace quorl
