#include "link/custom_audio_download.h"

#include "audio/custom_audio_slots.h"
#include "audio/voice_build.h"
#include "codeplug/codeplug_state.h"
#include "link/codeplug_operation.h"
#include "link/operation_texts.h"
#include "link/page_file.h"
#include "link_test_support.h"

#include <fstream>
#include <gtest/gtest.h>

namespace quorl {
namespace {

const std::filesystem::path kInstall = QUORL_TEST_STAGE_DATA_DIR;
const std::filesystem::path kLibrary =
    std::filesystem::path(QUORL_TEST_BIN_DIR).parent_path() / "lib" / "libVQ4.so";

std::vector<std::uint8_t> stream(std::size_t n) {
    std::vector<std::uint8_t> s(n);
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<std::uint8_t>(i * 7 + 1);
    s[0] = 0x64;
    return s;
}

TEST(PageFile, OnePageForAShortStream) {
    const auto pages = makePages(stream(100), 0x0105);
    ASSERT_EQ(pages.size(), 4096u);
    EXPECT_EQ(pages[0], 0x1F);
    EXPECT_EQ(pages[1], 104);
    EXPECT_EQ(pages[2], 0);
    EXPECT_EQ(pages[3], 0x05);
    EXPECT_EQ(pages[4], 0x01);
    EXPECT_EQ(pages[5], 0xA4);
    const auto s = stream(100);
    EXPECT_TRUE(std::equal(s.begin() + 1, s.end(), pages.begin() + 6));
    EXPECT_EQ(pages[6 + 99], 0xFF);
    EXPECT_EQ(pageSector(pages.data()), 0x0105);
}

TEST(PageFile, TwoPagesChainTheirSectors) {
    const auto pages = makePages(stream(5000), 0x011D);
    ASSERT_EQ(pages.size(), 8192u);
    EXPECT_EQ(pages[0], 0x5F);
    EXPECT_EQ(pages[1], 0xFF);
    EXPECT_EQ(pages[2], 0x0F);
    EXPECT_EQ(pages[3] | (pages[4] << 8), 0x011E) << "the first page names the next sector";
    EXPECT_EQ(pageSector(pages.data()), 0x011D);
    const std::uint8_t* second = pages.data() + 4096;
    EXPECT_EQ(second[0], 0x9F);
    EXPECT_EQ(second[1] | (second[2] << 8), 913);
    EXPECT_EQ(second[3] | (second[4] << 8), 0x011E);
    EXPECT_EQ(second[6], stream(5000)[4092]);
}

class DownloadTest : public ::testing::Test {
protected:
    DownloadTest() : cradle(sim::SimulatorOptions{}, 0.01, 1.0) {
        ::setenv("QUORL_BUILD_DIR", build.path().c_str(), 1);
    }
    OperationOutcome download(const std::array<DownloadSlot, kDownloadSlots>& slots) {
        VoiceBuild voice(build.path(), kLibrary.string());
        return runPagerOperation(
            OperationSelector::CustomAudioDownload, *state, host,
            [&](CCommPort& port, OperationHost& h) {
                return downloadCustomAudio(port, h, slots, [&](const std::string& wav) {
                    return voice.build(wav);
                });
            });
    }
    std::array<std::uint8_t, sim::kSectorSize> sector(unsigned n) {
        std::array<std::uint8_t, sim::kSectorSize> out{};
        cradle.sim().withModel([&](sim::PagerModel& m) { out = m.sector(n); });
        return out;
    }

    test::SimulatedCradle cradle;
    test::TempDir build;
    std::unique_ptr<CodeplugState> state = std::make_unique<CodeplugState>();
    test::RecordingHost host;
};

TEST_F(DownloadTest, MarkedSlotsGoToTheirSectorsAndMissingOnesAreNamed) {
    std::array<DownloadSlot, kDownloadSlots> slots{};
    slots[1] = {true, defaultRecording(kInstall, 1)};
    slots[6] = {true, build.path() / "moved-away.wav"};
    slots[7] = {true, build.path() / "also-gone.wav"};
    ASSERT_EQ(download(slots), OperationOutcome::Succeeded);
    // The stream of the slot's WAV, compressed by the real library.
    const auto streamFile = slotStreamPath(build.path(), defaultRecording(kInstall, 1).string());
    std::ifstream in(streamFile, std::ios::binary);
    ASSERT_TRUE(in) << streamFile;
    EXPECT_EQ(in.get(), 0x64);
    const auto first = sector(0x0105);
    EXPECT_EQ(first[5], 0xA4);
    EXPECT_NE(first[0], 0xFF);
    EXPECT_EQ(sector(0x0101)[0], 0xFF) << "unmarked slots stay erased";
    const auto messages = host.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Note: The write to the pager is completed. \r\nBut the Custom SW-B, "
                           "Custom SW-C was not written to the pager; audio file may be deleted "
                           "or moved or invalid format. ");
}

TEST_F(DownloadTest, NothingMarkedShowsNothing) {
    std::array<DownloadSlot, kDownloadSlots> slots{};
    EXPECT_EQ(download(slots), OperationOutcome::Succeeded);
    EXPECT_TRUE(host.messages().empty());
}

TEST_F(DownloadTest, APartNeverAcknowledgedEndsInWriteError9) {
    sim::FaultRule r;
    r.kind = sim::FaultKind::Nak;
    r.command = 0xA1;
    r.times = 0; // every time
    cradle.sim().addFault(r);
    std::array<DownloadSlot, kDownloadSlots> slots{};
    slots[0] = {true, defaultRecording(kInstall, 0)};
    EXPECT_EQ(download(slots), OperationOutcome::Failed);
    const auto messages = host.messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Write Error #9 \r\n\r\nUnable to write the pager. Please try again. ");
}

} // namespace
} // namespace quorl
