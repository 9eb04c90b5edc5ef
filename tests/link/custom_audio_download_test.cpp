#include "link/custom_audio_download.h"

#include "audio/custom_audio_slots.h"
#include "audio/voice_build.h"
#include "base/private_folder.h"
#include "codeplug/codeplug_state.h"
#include "link/codeplug_operation.h"
#include "link/operation_texts.h"
#include "link/page_file.h"
#include "tests/support/link_test_support.h"
#include "tests/support/wav_writer.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorl {
namespace {

const std::filesystem::path kInstall = QUORL_TEST_STAGE_DATA_DIR;
const std::filesystem::path kLibrary = std::filesystem::path(QUORL_TEST_LIB_DIR) / "libVQ4.so";

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

TEST(PageFile, OnlyPagesMadeFromStreamBlocksAreRead) {
    test::TempDir dir;
    for (std::size_t length : {std::size_t{4090}, std::size_t{4091}, std::size_t{16362}}) {
        const auto bin = dir.path() / "s.bin";
        {
            const auto s = stream(length);
            std::ofstream out(bin, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(s.data()),
                      static_cast<std::streamsize>(s.size()));
        }
        ASSERT_TRUE(convertStreamToPageFile(bin, 0x0101));
        PageBuffer buffer;
        buffer.bytes.fill(0x5F); // what an earlier slot may have left
        ASSERT_TRUE(readPageFile(pageFilePath(bin), buffer));
        EXPECT_EQ(buffer.pages, (length + kStreamBlock - 1) / kStreamBlock) << length;
        EXPECT_GT(std::filesystem::file_size(pageFilePath(bin)), buffer.pages * kPageSize)
            << "the file carries a filler page that is never sent";
    }
}

class DownloadTest : public ::testing::Test {
protected:
    explicit DownloadTest(double sleepScale = 0.01, double timeoutScale = 1.0,
                          sim::SimulatorOptions options = test::pacedLine())
        : cradle(std::move(options), sleepScale, timeoutScale) {
        ::setenv("QUORL_BUILD_DIR", build.path().c_str(), 1);
    }
    OperationOutcome download(const std::array<DownloadSlot, kDownloadSlots>& slots,
                              StreamBuilder builder = {}) {
        VoiceBuild voice(build.path(), kLibrary.string());
        if (!builder)
            builder = [&](int slot, const std::string& wav) { return voice.build(slot, wav); };
        return runPagerOperation(OperationSelector::CustomAudioDownload, *state, host,
                                 [&](PagerLink& port, OperationHost& h) {
                                     return downloadCustomAudio(port, h, slots, builder);
                                 });
    }
    int commandCount(std::uint8_t command) {
        const auto log = cradle.sim().commandLog();
        return static_cast<int>(std::count(log.begin(), log.end(), command));
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
    const auto streamFile = slotStreamPath(build.path(), 1);
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

// 2.5 s of noise, 8 kHz mono 16-bit: its compressed stream is as good as random, so
// every page of it holds XON and XOFF bytes, which tonal recordings need not.
std::filesystem::path writeNoiseWav(const std::filesystem::path& path) {
    test::WavLayout noise;
    std::uint32_t x = 12345;
    for (int i = 0; i < 20000; ++i) {
        x = x * 1103515245u + 12345u;
        noise.pcm.push_back(static_cast<std::int16_t>(static_cast<int>((x >> 16) % 24000) - 12000));
    }
    test::writeWav(path, noise);
    return path;
}

// At the real line rate a 520-byte part frame takes 90 ms to reach the pager, so every
// part's ACK comes well after the wait began.
TEST_F(DownloadTest, StreamPagesWithXonXoffArriveByteExactWithoutRetriesAndStayInTheirSlot) {
    std::array<DownloadSlot, kDownloadSlots> slots{};
    const auto wav = writeNoiseWav(build.path() / "noise.wav");
    slots[2] = {true, wav};
    ASSERT_EQ(download(slots), OperationOutcome::Succeeded);
    EXPECT_TRUE(host.messages().empty());
    const auto streamFile = slotStreamPath(build.path(), 2);
    std::ifstream in(streamFile, std::ios::binary);
    const std::vector<std::uint8_t> streamBytes{std::istreambuf_iterator<char>(in),
                                                std::istreambuf_iterator<char>()};
    const auto pages = makePages(streamBytes, kSlotFirstSector[2]);
    const std::size_t used = (streamBytes.size() + kStreamBlock - 1) / kStreamBlock;
    ASSERT_GE(used, 2u);
    for (unsigned n = 0; n < used; ++n) {
        const auto sec = sector(kSlotFirstSector[2] + n);
        const auto page = pages.begin() + n * kPageSize;
        EXPECT_NE(std::find(page, page + kPageSize, 0x11), page + kPageSize)
            << "page " << n << " holds an XON";
        EXPECT_NE(std::find(page, page + kPageSize, 0x13), page + kPageSize)
            << "page " << n << " holds an XOFF";
        EXPECT_TRUE(std::equal(sec.begin(), sec.end(), page)) << n;
    }
    // Nothing lands beside the slot: the sectors before and after it, and the slots around.
    for (unsigned n : {0x0108u, 0x0109u + static_cast<unsigned>(used), 0x0101u, 0x0105u, 0x011Du})
        EXPECT_EQ(sector(n)[0], 0xFF) << std::hex << n;
    EXPECT_EQ(commandCount(0xA1), static_cast<int>(8 * used))
        << "every part acknowledged the first time";
    EXPECT_EQ(commandCount(0xA6), 1);
    EXPECT_EQ(cradle.sim().refusedForLineSettings(), 0u);
}

TEST_F(DownloadTest, AnEraseNeverAcknowledgedIsWriteError8) {
    cradle.sim().addFault({sim::FaultKind::Nak, std::uint8_t{0xA6}, std::nullopt, 0}); // always
    cradle.sim().withModel([](sim::PagerModel& m) { m.setEraseDelayMs(0); });
    std::array<DownloadSlot, kDownloadSlots> slots{};
    slots[2] = {true, defaultRecording(kInstall, 2)};
    EXPECT_EQ(download(slots), OperationOutcome::Failed);
    EXPECT_EQ(commandCount(0xA6), 17) << "100 ms to 500 ms in steps of 25";
    EXPECT_EQ(host.messages().back().substr(0, 16), "Write Error #8 \r");
}

// A part the pager never acknowledges: the slot starts again twice, then Write Error #9.
TEST_F(DownloadTest, APartNeverAcknowledgedRestartsTheSlotThenEndsInWriteError9) {
    cradle.sim().addFault({sim::FaultKind::Nak, std::uint8_t{0xA1}, std::nullopt, 0}); // always
    std::array<DownloadSlot, kDownloadSlots> slots{};
    slots[0] = {true, defaultRecording(kInstall, 0)};
    EXPECT_EQ(download(slots), OperationOutcome::Failed);
    EXPECT_EQ(commandCount(0xA6), 3) << "the slot starts again twice";
    // Six sends of the first part, then one after each restart: the retry count stays 5.
    EXPECT_EQ(commandCount(0xA1), 8);
    ASSERT_FALSE(host.messages().empty());
    EXPECT_EQ(host.messages().back(),
              "Write Error #9 \r\n\r\nUnable to write the pager. Please try again. ");
}

// Streams no slot may get: each is refused before its slot is erased, with a message
// that names the slot and the file.
TEST_F(DownloadTest, BadStreamsAreNeverSent) {
    auto blocksHeaded = [](std::size_t length, std::size_t badBlock) {
        auto s = stream(length);
        for (std::size_t j = 0; j * kStreamBlock < length; ++j)
            s[j * kStreamBlock] = j + 1 == badBlock ? 0x44 : 0x64;
        return s;
    };
    const struct {
        const char* why;
        std::vector<std::uint8_t> bytes;
        const char* problem;
    } cases[] = {
        {"empty", {}, "(empty)"},
        {"only the configuration byte", {0x64}, "no sound"},
        {"another codec", blocksHeaded(100, 1), "block 1 begins with 0x44, not 0x64"},
        {"second block damaged", blocksHeaded(5000, 2), "block 2 begins with 0x44"},
        {"too long", blocksHeaded(4 * kStreamBlock + 1, 0), "longer than a slot holds"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const auto bin = build.path() / "bad.bin";
        {
            std::ofstream out(bin, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(c.bytes.data()),
                      static_cast<std::streamsize>(c.bytes.size()));
        }
        std::array<DownloadSlot, kDownloadSlots> slots{};
        slots[0] = {true, defaultRecording(kInstall, 0)};
        slots[1] = {true, defaultRecording(kInstall, 1)};
        int calls = 0;
        const auto before = host.messages().size();
        EXPECT_EQ(download(slots,
                           [&](int, const std::string&) -> std::optional<std::filesystem::path> {
                               // The first slot cannot be built at all.
                               return ++calls == 1 ? std::optional<std::filesystem::path>{}
                                                   : std::optional{bin};
                           }),
                  OperationOutcome::Succeeded);
        const auto messages = host.messages();
        ASSERT_EQ(messages.size(), before + 2);
        EXPECT_NE(messages[before].find("Custom Alert 2 was not written"), std::string::npos);
        EXPECT_NE(messages[before].find(bin.string()), std::string::npos);
        EXPECT_NE(messages[before].find(c.problem), std::string::npos) << messages[before];
        EXPECT_NE(messages[before + 1].find("Custom Alert 1, Custom Alert 2 was not written"),
                  std::string::npos);
        EXPECT_EQ(commandCount(0xA6), 0) << "nothing erased";
    }
}

// Two recordings of one file name in two folders: each slot gets its own, however
// the builds follow each other; the same recording always compresses alike.
TEST_F(DownloadTest, SameFileNameNeverMeansSameRecording) {
    VoiceBuild voice(build.path(), kLibrary.string());
    std::filesystem::create_directories(build.path() / "a");
    std::filesystem::create_directories(build.path() / "b");
    const auto a = build.path() / "a" / "tone.wav", b = build.path() / "b" / "tone.wav";
    std::filesystem::copy_file(defaultRecording(kInstall, 0), a);
    std::filesystem::copy_file(defaultRecording(kInstall, 3), b);
    auto bytes = [](const std::optional<std::filesystem::path>& p) {
        return test::fileText(p.value());
    };
    const auto fromA = voice.build(0, a.string());
    const auto fromB = voice.build(1, b.string());
    const auto againA = voice.build(2, a.string());
    ASSERT_TRUE(fromA && fromB && againA);
    EXPECT_NE(bytes(fromA), bytes(fromB));
    EXPECT_EQ(bytes(fromA), bytes(againA)) << "the first stream is still the first recording's";
    EXPECT_NE(fromA->parent_path(), fromB->parent_path()) << "each build in its own folder";
    EXPECT_EQ(fromB->filename(), "Custom_Alert_2_8000_ADPCM14-4-1.bin");
    struct stat st {};
    ASSERT_EQ(::stat(fromA->parent_path().parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

class DownloadTimeoutTest : public DownloadTest {
protected:
    // Waits of 500 ms: longer than the simulated erase (300 ms) and a paced part frame
    // (about 100 ms), so only the dropped reply times out.
    DownloadTimeoutTest() : DownloadTest(0.01, 0.25) {}
};

TEST_F(DownloadTimeoutTest, SilenceDuringEraseOrWriteIsWriteError10) {
    cradle.sim().addFault({sim::FaultKind::Drop, std::uint8_t{0xA6}, std::nullopt, 1});
    std::array<DownloadSlot, kDownloadSlots> slots{};
    slots[3] = {true, defaultRecording(kInstall, 3)};
    EXPECT_EQ(download(slots), OperationOutcome::Failed);
    EXPECT_EQ(host.messages().back().substr(0, 17), "Write Error #10 \r");
    cradle.sim().addFault({sim::FaultKind::Drop, std::uint8_t{0xA1}, std::nullopt, 1});
    EXPECT_EQ(download(slots), OperationOutcome::Failed);
    EXPECT_EQ(host.messages().back().substr(0, 17), "Write Error #10 \r");
    EXPECT_EQ(commandCount(0xA1), 1) << "the erase went through; the first part timed out";
}

TEST(DownloadTiming, OneSlotAtFullTiming) {
    test::SimulatedCradle cradle(test::pacedLine(), 1.0, 1.0);
    test::TempDir build;
    VoiceBuild voice(build.path(), kLibrary.string());
    test::RecordingHost host;
    auto state = std::make_unique<CodeplugState>();
    std::array<DownloadSlot, kDownloadSlots> slots{};
    slots[0] = {true, defaultRecording(kInstall, 0)};
    const auto t0 = std::chrono::steady_clock::now();
    ASSERT_EQ(runPagerOperation(OperationSelector::CustomAudioDownload, *state, host,
                                [&](PagerLink& port, OperationHost& h) {
                                    return downloadCustomAudio(
                                        port, h, slots, [&](int slot, const std::string& wav) {
                                            return voice.build(slot, wav);
                                        });
                                }),
              OperationOutcome::Succeeded);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0)
            .count();
    const auto log = cradle.sim().commandLog();
    const auto parts = std::count(log.begin(), log.end(), std::uint8_t{0xA1});
    const auto erases = std::count(log.begin(), log.end(), std::uint8_t{0xA6});
    // Prescribed sleeps: presence 50, the erase rounds (100, 125, ...), 200 per part, 100.
    long long floor = 50 + 100;
    for (long long e = 0; e < erases; ++e)
        floor += 100 + 25 * e;
    floor += 200 * parts;
    EXPECT_GE(ms, floor);
    std::printf("one-slot download %lld ms for %lld parts; prescribed sleeps %lld ms\n",
                static_cast<long long>(ms), static_cast<long long>(parts), floor);
}

} // namespace
} // namespace quorl

namespace quorl {
namespace {

// The copies a build leaves in the user's folder go through no link there: links at
// BinFiles and at BuildIMG.cfg stay as they are, and so does what they point to; the
// stream is still built, from the build's own private folder.
TEST(VoiceBuildFolder, LinksInTheUsersFolderAreNeitherFollowedNorReused) {
    namespace fs = std::filesystem;
    test::TempDir dir;
    const auto user = dir.path() / "BuildIMG";
    std::string problem;
    ASSERT_TRUE(ensurePrivateFolder(user, problem)) << problem;
    fs::create_directory(dir.path() / "elsewhere");
    std::ofstream(dir.path() / "notes.txt") << "mine";
    fs::create_directory_symlink(dir.path() / "elsewhere", user / "BinFiles");
    fs::create_symlink(dir.path() / "notes.txt", user / "BuildIMG.cfg");
    VoiceBuild voice(user, kLibrary.string());
    EXPECT_TRUE(voice.build(0, defaultRecording(kInstall, 0).string()));
    EXPECT_TRUE(fs::is_empty(dir.path() / "elsewhere"));
    EXPECT_EQ(test::fileText(dir.path() / "notes.txt"), "mine");
    EXPECT_TRUE(fs::is_symlink(user / "BinFiles"));
    EXPECT_TRUE(fs::is_symlink(user / "BuildIMG.cfg"));
}

// Two processes of one user, each building alert1.wav .. alert3.wav from a folder of its
// own into the same user folder at the same time, twenty times over: each always gets
// the streams of its own recordings.
TEST(VoiceBuildProcesses, TwoAtOnceNeverShareAStream) {
    test::TempDir dir;
    const auto shared = dir.path() / "BuildIMG";
    std::map<std::string, std::string> reference; // recording -> its stream, built alone
    for (const char* side : {"a", "b"}) {
        std::filesystem::create_directories(dir.path() / side);
        for (int slot = 0; slot < 3; ++slot) {
            const auto wav = dir.path() / side / ("alert" + std::to_string(slot + 1) + ".wav");
            std::filesystem::copy_file(defaultRecording(kInstall, (*side == 'a' ? 0 : 5) + slot),
                                       wav);
            VoiceBuild alone(dir.path() / "alone", kLibrary.string());
            reference[wav.string()] = test::fileText(alone.build(slot, wav.string()).value());
        }
    }
    auto buildSide = [&](const char* side) {
        VoiceBuild voice(shared, kLibrary.string());
        bool same = true;
        for (int slot = 0; slot < 3; ++slot) {
            const auto wav = dir.path() / side / ("alert" + std::to_string(slot + 1) + ".wav");
            const auto stream = voice.build(slot, wav.string());
            same = same && stream && test::fileText(*stream) == reference[wav.string()];
        }
        return same;
    };
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(buildSide("b") ? 0 : 1);
        const bool mine = buildSide("a");
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(mine) << "round " << round;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
}

} // namespace
} // namespace quorl
