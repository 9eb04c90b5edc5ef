// A log row or a trace line that the disk has no room for is cut off whole: the file
// ends where the last whole line ended, and the cause is kept to be said. A file-size
// limit stands in for a full disk: the kernel writes up to it, then refuses.
#include "link/link_trace.h"
#include "link/programming_log.h"
#include "tests/support/test_files.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <sys/resource.h>

namespace quorl {
namespace {

namespace fs = std::filesystem;

// Lets files grow only `room` bytes past `file`'s size while alive.
class FileSizeLimit {
public:
    FileSizeLimit(const fs::path& file, std::uintmax_t room) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = fs::file_size(file) + room;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

TEST(WholeLines, ALogRowThatDoesNotFitIsCutOffWholeAndNamed) {
    test::TempDir dir;
    const auto log = (dir / "log.csv").string();
    ProgrammingLogRow row;
    row.port = "/dev/ttyUSB0";
    row.result = "Succeeded";
    ASSERT_TRUE(appendProgrammingLog(log, {row}));
    const std::string before = test::fileText(log);
    std::string problem;
    {
        FileSizeLimit limit(log, 10);
        EXPECT_FALSE(appendProgrammingLog(log, {row}, &problem));
    }
    EXPECT_EQ(test::fileText(log), before);
    EXPECT_EQ(problem, log + ": File too large");
}

TEST(WholeLines, ATraceLineThatDoesNotFitIsCutOffWholeAndTheTraceSaysSo) {
    test::TempDir dir;
    const auto path = (dir / "link.trace").string();
    auto trace = LinkTrace::open(path);
    ASSERT_TRUE(trace);
    trace->message("/dev/ttyUSB0", "first");
    EXPECT_EQ(trace->problem(), "");
    const std::string before = test::fileText(path);
    {
        FileSizeLimit limit(path, 30); // past the time stamp, into the port name
        trace->message("/dev/ttyUSB0", "second, too long for the room left");
    }
    trace->message("/dev/ttyUSB0", "third");
    const std::string after = test::fileText(path);
    EXPECT_EQ(after.substr(0, before.size()), before);
    // Nothing of the second line is left before the third.
    EXPECT_TRUE(std::regex_match(after.substr(before.size()),
                                 std::regex("[0-9]+ /dev/ttyUSB0 MSG third\n")))
        << after;
    EXPECT_EQ(trace->problem(), path + ": File too large");
}

} // namespace
} // namespace quorl
