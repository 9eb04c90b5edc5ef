// Another user of the same machine against `quorl`: each attack is laid out by a second
// user in a sticky folder everyone may write to (as /tmp is), with the kernel's own
// link and FIFO protections assumed off, and the victim's command must refuse it,
// name the cause, and leave the victim's files as they were. Playing two users takes
// root (setpriv changes the user); without it the test says so and skips.
#include "tests/support/program_run.h"
#include "tests/support/test_files.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace quorl::cli {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kVictim = 64711;
constexpr uid_t kAttacker = 64712;
const fs::path kLib = fs::path(QUORL_TEST_STAGE_DATA_DIR) / "Lib";
const std::string kQuorl = std::string(QUORL_TEST_BIN_DIR) + "/quorl";

// The scene: the victim's home with a notes file and a music folder, and a shared
// sticky folder the attacker plants things in.
class Machine {
public:
    Machine() {
        // In /tmp itself, not the test's own TMPDIR: that one is private to the user
        // running the tests, so the victim could not even reach the scene.
        std::string name = "/tmp/quorl-hostile-XXXXXX";
        root_ = ::mkdtemp(name.data());
        fs::permissions(root_, fs::perms(0755));
        fs::create_directories(home() / "Music");
        std::ofstream(home() / "notes.txt") << "my notes\n";
        std::ofstream(home() / "Music" / "song.wav") << "RIFF";
        fs::copy_file(kLib / "Default_VHF_5CH.ppg", home() / "pager.ppg");
        fs::copy_file(kLib / ".." / "WavForms" / "01_custom_alert_1.wav", home() / "alert.wav");
        for (const auto& entry : fs::recursive_directory_iterator(home()))
            owned(entry.path(), kVictim);
        owned(home(), kVictim);
        fs::permissions(home(), fs::perms(0700));
        fs::create_directory(shared());
        fs::permissions(shared(), fs::perms(01777));
    }
    ~Machine() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    fs::path home() const { return root_ / "victim"; }
    fs::path shared() const { return root_ / "shared"; }

    // What the attacker leaves behind is theirs.
    void link(const fs::path& to, const std::string& name) const {
        fs::create_symlink(to, shared() / name);
        owned(shared() / name, kAttacker);
    }
    void fifo(const std::string& name) const {
        ::mkfifo((shared() / name).c_str(), 0666);
        owned(shared() / name, kAttacker);
    }
    fs::path folder(const std::string& name) const {
        fs::create_directory(shared() / name);
        fs::permissions(shared() / name, fs::perms(0777));
        owned(shared() / name, kAttacker);
        return shared() / name;
    }

    test::ProgramResult victimRuns(std::vector<std::string> args) const {
        test::ProgramRun run;
        run.args = {"/usr/bin/setpriv",
                    "--reuid=" + std::to_string(kVictim),
                    "--regid=" + std::to_string(kVictim),
                    "--clear-groups",
                    "--",
                    kQuorl};
        run.args.insert(run.args.end(), args.begin(), args.end());
        // The victim's own world: the test's folders belong to the user running it.
        run.env = {{"HOME", home().string()},         {"XDG_RUNTIME_DIR", std::nullopt},
                   {"XDG_CONFIG_HOME", std::nullopt}, {"XDG_DATA_HOME", std::nullopt},
                   {"XDG_CACHE_HOME", std::nullopt},  {"XDG_STATE_HOME", std::nullopt},
                   {"TMPDIR", std::nullopt}};
        run.timeout = std::chrono::seconds(20);
        return test::runProgram(run);
    }

    static void owned(const fs::path& p, uid_t uid) {
        EXPECT_EQ(::lchown(p.c_str(), uid, uid), 0) << p;
    }

private:
    fs::path root_;
};

struct Attack {
    const char* name;
    std::function<void(const Machine&)> plant;
    std::function<std::vector<std::string>(const Machine&)> command;
    const char* cause; // the words the refusal must hold
};

TEST(HostileMachine, EveryPlantedTrapIsRefusedWithItsCause) {
    if (::geteuid() != 0 || ::access("/usr/bin/setpriv", X_OK) != 0)
        GTEST_SKIP() << "playing a second user takes root and setpriv";
    const auto pager = [](const Machine& m) { return (m.home() / "pager.ppg").string(); };
    const auto at = [](const Machine& m, const char* name) { return (m.shared() / name).string(); };
    // The victim's command that writes a trace to the shared folder's "trace".
    const auto verifyTracing = [&](const Machine& m) {
        return std::vector<std::string>{"verify",  "--port",       at(m, "ttyNone"),
                                        "--trace", at(m, "trace"), pager(m)};
    };
    const Attack attacks[] = {
        {"trace through a link to the victim's notes",
         [](const Machine& m) { m.link(m.home() / "notes.txt", "trace"); }, verifyTracing,
         "a symbolic link of another user in a shared folder"},
        {"trace through a dangling link into the victim's home",
         [](const Machine& m) { m.link(m.home() / "planted.txt", "trace"); }, verifyTracing,
         "a symbolic link of another user in a shared folder"},
        {"trace into a FIFO", [](const Machine& m) { m.fifo("trace"); }, verifyTracing,
         "not a regular file"},
        {"trace into a file the attacker reads",
         [](const Machine& m) {
             std::ofstream(m.shared() / "trace");
             Machine::owned(m.shared() / "trace", kAttacker);
             ::chmod((m.shared() / "trace").c_str(), 0666);
         },
         verifyTracing, "a file of another user in a shared folder"},
        {"log into a FIFO", [](const Machine& m) { m.fifo("log.csv"); },
         [&](const Machine& m) {
             return std::vector<std::string>{
                 "read", "--all", "--log", at(m, "log.csv"), "-o", (m.home() / "read").string()};
         },
         "not a regular file"},
        {"log through a link to the victim's notes",
         [](const Machine& m) { m.link(m.home() / "notes.txt", "log.csv"); },
         [&](const Machine& m) {
             return std::vector<std::string>{"write", "--all", "--log", at(m, "log.csv"), pager(m)};
         },
         "a symbolic link of another user in a shared folder"},
        {"save through a linked folder in the middle of the path",
         [](const Machine& m) { m.link(m.home() / "Music", "out"); },
         [&](const Machine& m) {
             return std::vector<std::string>{"read", "--port", at(m, "ttyNone"), "-o",
                                             at(m, "out") + "/song.wav"};
         },
         "out: a symbolic link of another user in a shared folder"},
        {"voice streams into a folder of the attacker's with a link to the victim's music",
         [](const Machine& m) {
             m.folder("voice");
             fs::create_directory_symlink(m.home() / "Music", m.shared() / "voice" / "WavFiles");
             Machine::owned(m.shared() / "voice" / "WavFiles", kAttacker);
         },
         [&](const Machine& m) {
             return std::vector<std::string>{"audio", "compress", (m.home() / "alert.wav").string(),
                                             "-o", at(m, "voice")};
         },
         "voice: owned by user 64712, not by you"},
        {"voice streams below a folder the attacker's group may write to",
         [](const Machine& m) {
             m.folder("group");
             Machine::owned(m.shared() / "group", 0);
             EXPECT_EQ(::chown((m.shared() / "group").c_str(), 0, kAttacker), 0);
             fs::permissions(m.shared() / "group", fs::perms(0775));
             // The victim's own folder, in one a group member can rename it out of.
             fs::create_directory(m.shared() / "group" / "voice");
             Machine::owned(m.shared() / "group" / "voice", kVictim);
         },
         [&](const Machine& m) {
             return std::vector<std::string>{"audio", "compress", (m.home() / "alert.wav").string(),
                                             "-o", at(m, "group") + "/voice"};
         },
         "group: other users may write to it"},
        {"voice streams through a link left in the victim's own output folder",
         [](const Machine& m) {
             fs::create_directory(m.home() / "voice");
             fs::create_directory_symlink(m.home() / "Music", m.home() / "voice" / "WavFiles");
             Machine::owned(m.home() / "voice", kVictim);
             Machine::owned(m.home() / "voice" / "WavFiles", kVictim);
         },
         [&](const Machine& m) {
             return std::vector<std::string>{"audio", "compress", (m.home() / "alert.wav").string(),
                                             "-o", (m.home() / "voice").string()};
         },
         "WavFiles: is a symbolic link; not followed"},
    };
    for (const Attack& attack : attacks) {
        SCOPED_TRACE(attack.name);
        Machine machine;
        attack.plant(machine);
        const auto r = machine.victimRuns(attack.command(machine));
        EXPECT_FALSE(r.timedOut);
        EXPECT_EQ(r.exitCode, 1) << r.err;
        EXPECT_NE(r.err.find(attack.cause), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("Communication Error"), std::string::npos) << "refused first";
        EXPECT_EQ(test::fileText(machine.home() / "notes.txt"), "my notes\n");
        EXPECT_EQ(test::fileText(machine.home() / "Music" / "song.wav"), "RIFF");
        EXPECT_EQ(std::distance(fs::directory_iterator(machine.home() / "Music"), {}), 1);
        EXPECT_FALSE(fs::exists(machine.home() / "planted.txt"));
    }
}

// A log the victim may not write is found before any pager is programmed.
TEST(HostileMachine, AnUnwritableLogIsNamedBeforeAnyCradleIsLookedFor) {
    if (::geteuid() != 0 || ::access("/usr/bin/setpriv", X_OK) != 0)
        GTEST_SKIP() << "playing a second user takes root and setpriv";
    Machine machine;
    const fs::path log = machine.folder("root-only") / "x.csv";
    Machine::owned(log.parent_path(), 0);
    fs::permissions(log.parent_path(), fs::perms(0755));
    const auto r = machine.victimRuns(
        {"write", "--all", "--log", log.string(), (machine.home() / "pager.ppg").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot append to the log " + log.string() + ": Permission denied"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("no programming cradle"), std::string::npos) << r.err;
}

} // namespace
} // namespace quorl::cli
