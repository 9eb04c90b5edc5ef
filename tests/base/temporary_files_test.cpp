// Temporaries registered while a program works go when a signal ends it, folders with
// all that is in them; the program still ends by that signal.
#include "base/temporary_files.h"
#include "tests/support/test_files.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorl {
namespace {

namespace fs = std::filesystem;

TEST(TemporaryFiles, AnEndingSignalRemovesWhatIsRegisteredAndNothingElse) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        test::TempDir dir;
        fs::create_directories(dir / "scratch" / "WavFiles" / "deeper");
        std::ofstream(dir / "scratch" / "WavFiles" / "deeper" / "a.wav") << "RIFF";
        std::ofstream(dir / "scratch" / "BuildIMG.cfg") << "x";
        std::ofstream(dir / ".pager.ppg.Ab12Cd") << "half";
        std::ofstream(dir / "pager.ppg") << "kept";
        std::ofstream(dir / "forgotten") << "kept";
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            const TemporaryOnSignal folder(dir / "scratch");
            const TemporaryOnSignal file(dir / ".pager.ppg.Ab12Cd");
            { const TemporaryOnSignal done(dir / "forgotten"); }
            ::raise(signal);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_FALSE(fs::exists(dir / "scratch"));
        EXPECT_FALSE(fs::exists(dir / ".pager.ppg.Ab12Cd"));
        EXPECT_TRUE(fs::exists(dir / "pager.ppg"));
        EXPECT_TRUE(fs::exists(dir / "forgotten"));
    }
}

} // namespace
} // namespace quorl
