#include "audio/wav_check.h"

#include "audio/audio_texts.h"
#include "tests/support/test_files.h"
#include "tests/support/wav_writer.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

using test::WavLayout;

class WavCheckTest : public ::testing::Test {
protected:
    WavCheck check(const WavLayout& layout) {
        test::writeWav(dir / "a.wav", layout);
        return checkWav(dir / "a.wav").status;
    }
    test::TempDir dir;
};

TEST_F(WavCheckTest, RiffSizeLimitIsInclusive) {
    WavLayout s;
    s.samples = (65000 - 36) / 2; // RIFF size exactly 65,000
    EXPECT_EQ(check(s), WavCheck::Ok);
    const auto r = checkWav(dir / "a.wav");
    EXPECT_EQ(r.riffSize, 65000u);
    EXPECT_EQ(r.playBuffer.size(), 64964u);
    EXPECT_EQ(r.playBlocks(), 41u) << "64,964 / 1,600 rounded up";
    s.riffSizeOverride = 65001;
    EXPECT_EQ(check(s), WavCheck::TooBig);
}

TEST_F(WavCheckTest, EachFieldHasItsError) {
    WavLayout rifx;
    rifx.riffTag = "RIFX";
    EXPECT_EQ(check(rifx), WavCheck::NotRiff);
    WavLayout notWave;
    notWave.waveTag = "AVI ";
    EXPECT_EQ(check(notWave), WavCheck::NotWave);
    WavLayout list;
    list.chunkBeforeFmt = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};
    EXPECT_EQ(check(list), WavCheck::FmtNotFirst);
    WavLayout stereo;
    stereo.channels = 2;
    EXPECT_EQ(check(stereo), WavCheck::WrongFormat);
    WavLayout cd;
    cd.rate = 44100;
    cd.byteRate = 88200;
    EXPECT_EQ(check(cd), WavCheck::WrongFormat);
    WavLayout eightBit;
    eightBit.bits = 8;
    EXPECT_EQ(check(eightBit), WavCheck::WrongFormat);
    // Format is judged before size: a big stereo file is #5, not #4.
    stereo.riffSizeOverride = 100000;
    EXPECT_EQ(check(stereo), WavCheck::WrongFormat);
    EXPECT_EQ(wavCheckMessage(WavCheck::NotRiff).substr(0, 14), "File Error #9 ");
    EXPECT_EQ(wavCheckMessage(WavCheck::TooBig), texts::kFileError4);
}

TEST_F(WavCheckTest, TruncatedAndMissingFilesNeverCrash) {
    const auto full = test::makeWav(WavLayout{});
    for (std::size_t n : {0u, 3u, 4u, 10u, 12u, 15u, 20u, 30u, 36u, 40u, 44u}) {
        test::writeAll(
            dir / "t.wav",
            std::vector<char>(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n)));
        const auto r = checkWav(dir / "t.wav");
        // The check judges the header; a file cut after it passes with nothing to play.
        if (n < 36) {
            EXPECT_NE(r.status, WavCheck::Ok) << n;
        } else {
            EXPECT_EQ(r.status, WavCheck::Ok) << n;
            EXPECT_TRUE(r.playBuffer.empty()) << n;
        }
    }
    EXPECT_EQ(checkWav(dir / "absent.wav").status, WavCheck::CannotOpen);
    EXPECT_EQ(checkWav(dir.path()).status, WavCheck::CannotOpen);
}

TEST_F(WavCheckTest, AbsurdDataSizeIsBoundedByTheRiffSize) {
    auto bytes = test::makeWav(WavLayout{});
    bytes[40] = bytes[41] = bytes[42] = bytes[43] = 0xFF; // data size 4 GB
    test::writeAll(dir / "b.wav", std::vector<char>(bytes.begin(), bytes.end()));
    const auto r = checkWav(dir / "b.wav");
    EXPECT_EQ(r.status, WavCheck::Ok);
    EXPECT_EQ(r.playBuffer.size(), 1600u);
}

} // namespace
} // namespace quorl
