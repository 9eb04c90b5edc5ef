#include "codeplug/ppg_file.h"

#include "tests/support/test_files.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

using test::ppgRecord;
using test::readAll;
using test::TempDir;
using test::writeAll;

TEST(PpgFile, HeaderIsExactly48Characters) {
    EXPECT_EQ(kPpgHeader.size(), 48u);
}

TEST(PpgFile, ReadsOneRecordAndIgnoresAPartialSecond) {
    TempDir dir;
    const auto image = test::validImage();
    auto bytes = ppgRecord(image);
    writeAll(dir / "a.ppg", bytes);
    auto r = readPpgFile(dir / "a.ppg");
    ASSERT_EQ(r.status, PpgReadStatus::Ok);
    EXPECT_EQ(r.image, image);

    // Trailing bytes short of a whole record do not matter.
    bytes.resize(bytes.size() + kPpgRecordSize - 1, 'x');
    writeAll(dir / "b.ppg", bytes);
    EXPECT_EQ(readPpgFile(dir / "b.ppg").status, PpgReadStatus::Ok);
}

TEST(PpgFile, RejectsShortFilesWrongHeadersAndTwoRecords) {
    TempDir dir;
    auto bytes = ppgRecord(test::validImage());

    auto shortFile = bytes;
    shortFile.pop_back(); // 16,431 bytes
    writeAll(dir / "short.ppg", shortFile);
    EXPECT_EQ(readPpgFile(dir / "short.ppg").status, PpgReadStatus::InvalidFormat);

    for (std::size_t i : {std::size_t{0}, std::size_t{46}, std::size_t{47}}) {
        auto wrong = bytes;
        wrong[i] = wrong[i] == '1' ? '2' : '1'; // "VER:01.00" -> "VER:01.01" at 47
        writeAll(dir / "hdr.ppg", wrong);
        EXPECT_EQ(readPpgFile(dir / "hdr.ppg").status, PpgReadStatus::InvalidFormat) << i;
    }

    auto two = bytes;
    two.insert(two.end(), bytes.begin(), bytes.end());
    writeAll(dir / "two.ppg", two);
    EXPECT_EQ(readPpgFile(dir / "two.ppg").status, PpgReadStatus::InvalidFormat);

    EXPECT_EQ(readPpgFile(dir / "missing.ppg").status, PpgReadStatus::CannotOpen);
    EXPECT_EQ(readPpgFile(dir.path()).status, PpgReadStatus::CannotOpen);
}

TEST(PpgFile, WriteProducesHeaderAndImage) {
    TempDir dir;
    const auto image = test::validImage();
    ASSERT_TRUE(writePpgFile(dir / "out.ppg", image));
    EXPECT_EQ(readAll(dir / "out.ppg"), ppgRecord(image));
}

TEST(PpgFile, FailedWriteLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    const auto oldBytes = std::vector<char>{'o', 'l', 'd'};
    writeAll(dir / "keep.ppg", oldBytes);
    {
        test::FileSizeLimit diskFull(8000); // fails half-way through the record
        EXPECT_FALSE(writePpgFile(dir / "keep.ppg", test::validImage()));
    }
    EXPECT_EQ(readAll(dir / "keep.ppg"), oldBytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(PpgFile, WriteIntoAMissingFolderOrOverAFolderFails) {
    TempDir dir;
    EXPECT_FALSE(writePpgFile(dir / "no/such/folder.ppg", test::validImage()));
    std::filesystem::create_directory(dir / "sub.ppg");
    EXPECT_FALSE(writePpgFile(dir / "sub.ppg", test::validImage()));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "sub.ppg"));
}

} // namespace
} // namespace quorl
