#include "base/atomic_file_write.h"
#include "base/whole_write.h"
#include "codeplug/ppg_file.h"

#include "tests/support/test_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace quorl {
namespace {

namespace fs = std::filesystem;
using test::readAll;
using test::TempDir;
using test::writeAll;

constexpr uid_t kOtherUser = 65534; // nobody

// A folder like /tmp: everyone may write, only owners may remove.
fs::path makeSharedFolder(const TempDir& dir) {
    const fs::path shared = dir / "shared";
    fs::create_directory(shared);
    ::chmod(shared.c_str(), 01777);
    return shared;
}

TEST(AtomicFileWrite, NamesUpToTheFileNameLimitSave) {
    TempDir dir;
    for (std::size_t length : {248u, 250u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".ppg";
        std::string problem;
        ASSERT_TRUE(writePpgFile(dir / name, test::validImage(), &problem)) << length << problem;
        EXPECT_EQ(readAll(dir / name).size(), kPpgRecordSize);
    }
    // Multi-byte characters are cut whole: 127 two-byte letters and ".ppg" is 258 bytes
    // too long for a name, but 125 of them and ".ppg" (254 bytes) must save.
    std::string wide;
    for (int i = 0; i < 125; ++i)
        wide += "\xc3\xa9";
    EXPECT_TRUE(writePpgFile(dir / (wide + ".ppg"), test::validImage()));
    std::size_t leftovers = 0;
    for (const auto& e : fs::directory_iterator(dir.path()))
        leftovers += e.path().filename().string().front() == '.';
    EXPECT_EQ(leftovers, 0u);
}

TEST(AtomicFileWrite, AnotherUsersLinkInASharedFolderIsNotFollowed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give a link to another user";
    TempDir dir;
    const fs::path shared = makeSharedFolder(dir);
    // The victim's file, and the other user's link to it planted where root saves.
    writeAll(dir / "victim.conf", {'k', 'e', 'e', 'p'});
    fs::create_symlink(dir / "victim.conf", shared / "pager.ppg");
    ASSERT_EQ(::lchown((shared / "pager.ppg").c_str(), kOtherUser, kOtherUser), 0);

    std::string problem;
    EXPECT_FALSE(writePpgFile(shared / "pager.ppg", test::validImage(), &problem));
    EXPECT_NE(problem.find("symbolic link of another user"), std::string::npos) << problem;
    EXPECT_NE(problem.find("pager.ppg"), std::string::npos) << problem;
    EXPECT_EQ(readAll(dir / "victim.conf"), (std::vector<char>{'k', 'e', 'e', 'p'}));
    EXPECT_TRUE(fs::is_symlink(shared / "pager.ppg"));
    EXPECT_FALSE(canWriteFileAtomically(shared / "pager.ppg", problem));
}

// The file the link leads to is replaced, and keeps its permissions.
TEST(AtomicFileWrite, LinksTheKernelWouldFollowAreSavedThrough) {
    TempDir dir;
    const fs::path shared = makeSharedFolder(dir);
    writeAll(dir / "mine.ppg", {'x'});
    ::chmod((dir / "mine.ppg").c_str(), 0640);
    // One's own link, even in a shared folder.
    fs::create_symlink(dir / "mine.ppg", shared / "own.ppg");
    ASSERT_TRUE(writePpgFile(shared / "own.ppg", test::validImage()));
    EXPECT_TRUE(fs::is_symlink(shared / "own.ppg"));
    EXPECT_EQ(readAll(dir / "mine.ppg").size(), kPpgRecordSize);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "mine.ppg").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    if (::geteuid() != 0)
        return;
    // Another user's link in a folder that is not shared: the folder's owner let it be.
    writeAll(dir / "mine.ppg", {'x'});
    fs::create_symlink("mine.ppg", dir / "theirs.ppg");
    ASSERT_EQ(::lchown((dir / "theirs.ppg").c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_TRUE(writePpgFile(dir / "theirs.ppg", test::validImage()));
    EXPECT_EQ(readAll(dir / "mine.ppg").size(), kPpgRecordSize);
}

TEST(AtomicFileWrite, HardLinksKeepTheOldContents) {
    TempDir dir;
    writeAll(dir / "a.ppg", {'o', 'l', 'd'});
    fs::create_hard_link(dir / "a.ppg", dir / "b.ppg");
    ASSERT_TRUE(writePpgFile(dir / "a.ppg", test::validImage()));
    EXPECT_EQ(readAll(dir / "a.ppg").size(), kPpgRecordSize);
    EXPECT_EQ(readAll(dir / "b.ppg"), (std::vector<char>{'o', 'l', 'd'}));
}

TEST(AtomicFileWrite, CheckBeforehandNamesTheProblem) {
    TempDir dir;
    std::string problem;
    EXPECT_TRUE(canWriteFileAtomically(dir / "new.ppg", problem)) << problem;
    EXPECT_FALSE(canWriteFileAtomically(dir / "missing" / "new.ppg", problem));
    EXPECT_NE(problem.find("missing"), std::string::npos) << problem;
    fs::create_directory(dir / "folder.ppg");
    EXPECT_FALSE(canWriteFileAtomically(dir / "folder.ppg", problem));
    EXPECT_NE(problem.find("folder.ppg"), std::string::npos) << problem;
    EXPECT_FALSE(canWriteFileAtomically(dir / std::string(256, 'n'), problem));
    fs::create_symlink("loop.ppg", dir / "loop.ppg");
    EXPECT_FALSE(writePpgFile(dir / "loop.ppg", test::validImage(), &problem));
    EXPECT_TRUE(fs::is_symlink(dir / "loop.ppg"));
}

// A device, FIFO or socket at the target is refused by name and stays what it was,
// whichever way the program writes: atomic replacement, its check beforehand, or an
// append (logs and traces), also through a link to it.
TEST(AtomicFileWrite, OnlyRegularFilesAreWrittenOrReplaced) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    // A null device of our own in the scratch folder (mknod needs root).
    const bool device = ::mknod((dir / "null").c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0;
    fs::create_symlink("fifo", dir / "to-fifo");
    std::vector<std::string> targets{"fifo", "to-fifo"};
    if (device)
        targets.emplace_back("null");
    for (const std::string& name : targets) {
        SCOPED_TRACE(name);
        const fs::path target = dir / name;
        const auto type = fs::status(target).type();
        std::string problem;
        EXPECT_FALSE(canWriteFileAtomically(target, problem));
        EXPECT_NE(problem.find(name), std::string::npos) << problem;
        problem.clear();
        EXPECT_FALSE(writePpgFile(target, test::validImage(), &problem));
        EXPECT_NE(problem.find(name), std::string::npos) << problem;
        problem.clear();
        EXPECT_EQ(openForAppend(target, &problem), -1);
        EXPECT_NE(problem.find(name), std::string::npos) << problem;
        EXPECT_EQ(fs::status(target).type(), type);
    }
    const int fd = openForAppend(dir / "log.csv");
    EXPECT_GE(fd, 0) << "a new regular file is made";
    ::close(fd);
}

// Through a folder's descriptor: a replaced file keeps its mode, a new one takes the
// mode the user's umask leaves, and a link at the name is refused and left.
TEST(AtomicFileWrite, ThroughAFolderDescriptorModesAreKeptOrTakenFromTheUmask) {
    TempDir dir;
    writeAll(dir / "kept.bin", {'o', 'l', 'd'});
    ::chmod((dir / "kept.bin").c_str(), 0600);
    fs::create_symlink("kept.bin", dir / "link.bin");
    const int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(folder, 0);
    const mode_t saved = ::umask(027);
    const std::vector<std::byte> bytes{std::byte{'n'}, std::byte{'e'}, std::byte{'w'}};
    const struct {
        const char* name;
        bool written;
        mode_t mode;
    } cases[] = {{"kept.bin", true, 0600}, {"made.bin", true, 0640}, {"link.bin", false, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string problem;
        EXPECT_EQ(writeFileAtomicallyAt(folder, c.name, bytes, dir / c.name, &problem), c.written)
            << problem;
        struct stat st {};
        ASSERT_EQ(::lstat((dir / c.name).c_str(), &st), 0);
        if (c.written) {
            EXPECT_EQ(st.st_mode & 07777, c.mode);
            EXPECT_EQ(readAll(dir / c.name), (std::vector<char>{'n', 'e', 'w'}));
        } else {
            EXPECT_TRUE(S_ISLNK(st.st_mode));
            EXPECT_NE(problem.find("link.bin"), std::string::npos) << problem;
        }
    }
    ::umask(saved);
    ::close(folder);
}

} // namespace
} // namespace quorl
