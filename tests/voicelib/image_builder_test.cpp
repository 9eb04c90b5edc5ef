#include "tests/voicelib/hook_recorder.h"
#include "tests/voicelib/test_wav.h"
#include "voicelib/download_requests.h"
#include "voicelib/image_builder.h"
#include "voicelib/message_chain.h"
#include "voicelib/project_state.h"
#include "voicelib/vq4.h"
#include "voicelib/vq4_texts.h"

#include <gtest/gtest.h>

namespace quorl::vq4::test {
namespace {

namespace fs = std::filesystem;

class ImageBuild : public ::testing::Test {
protected:
    void SetUp() override {
        ProjectConfig c{};
        std::snprintf(c.projectDir, sizeof c.projectDir, "%s", dir.path().c_str());
        std::snprintf(c.memFileName, sizeof c.memFileName, "%s", image().c_str());
        c.clockConfigurationByte = 0x24;
        c.clockInputFrequency = 4096000;
        openProject(c);
    }
    fs::path image() const { return dir.path() / "LOGO.mem"; }
    // A stream file as compression would have left it.
    std::string stream(const std::string& name, std::size_t size) {
        std::string s(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            s[i] = static_cast<char>(i * 7 + 3);
        s[0] = 0x64;
        writeBytes(dir.path() / "BinFiles" / (name + "_8000_ADPCM14-4-1.bin"), s);
        return s;
    }
    PromptRequest request(const std::string& name) {
        PromptRequest r{};
        std::snprintf(r.sourcePath, sizeof r.sourcePath, "/recordings/%s.wav", name.c_str());
        r.srType = 3;
        r.compressionType = 4;
        return r;
    }
    ImageBuildReport build(std::vector<PromptRequest> requests) {
        loadPromptRequests(static_cast<int>(requests.size()), requests.data());
        return buildDownloadImage();
    }
    TempDir dir{"image"};
};

TEST_F(ImageBuild, OnePromptWithTheBuiltInMacros) {
    const std::string data = stream("p", 1000);
    const auto report = build({request("p")});
    ASSERT_TRUE(report.built);
    const std::string img = readBytes(image());
    ASSERT_EQ(img.size(), 4096u);
    const auto byte = [&img](std::size_t i) { return static_cast<unsigned char>(img[i]); };
    EXPECT_EQ(byte(0), 0xCF);
    EXPECT_EQ(byte(1), 1); // Recording Memory Pointer: sector 1
    EXPECT_EQ(byte(2), 0);
    EXPECT_EQ(byte(3) | byte(4), 0);
    for (std::size_t i = 5; i < 23; ++i)
        EXPECT_EQ(byte(i), 0xFF) << i; // three macros without data
    const unsigned char entry4[] = {0x2C, 0x00, 0x00, 0x13, 0x04, 0x00};
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(byte(23 + i), entry4[i]);
    EXPECT_EQ(byte(29), 0x00);
    EXPECT_EQ(byte(30), 0xFF);
    EXPECT_EQ(byte(31), 0xFF);
    EXPECT_EQ(img.substr(44, 1000), data);
    EXPECT_EQ(img.substr(1044, 21), "KTV-VPE Ver 151.0010 ");
    EXPECT_EQ(img[1075], ' ');
    EXPECT_EQ(img.find_first_not_of('\xFF', 1076), std::string::npos);

    // The checksum leaves out the 00 FF FF triple, the zeros and itself.
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < img.size(); ++i)
        if (i < 29 || i >= 44)
            sum += byte(i);
    const std::uint32_t stored =
        byte(40) | byte(41) << 8 | byte(42) << 16 | static_cast<std::uint32_t>(byte(43)) << 24;
    EXPECT_EQ(stored, sum);
    EXPECT_FALSE(fs::exists(image().string() + ".tmp"));
    EXPECT_FALSE(fs::exists(image().string() + ".int"));

    const std::string listing = readBytes(dir.path() / "LOGO_mem.txt");
    EXPECT_NE(listing.find("// Voice Prompt Editor Version 151.0010\n"), std::string::npos);
    EXPECT_NE(listing.find("// Total file size is 4096 (0x1000) Bytes\n"), std::string::npos);
    EXPECT_NE(listing.find("// There are 1 Voice Prompts in this file.\n"), std::string::npos);
    EXPECT_NE(listing.find("// There are 3 Voice Macros in this file.\n"), std::string::npos);
    EXPECT_NE(listing.find("// Recording Memory Pointer at address 0x1000 (sector 0x1).\n"),
              std::string::npos);
    EXPECT_NE(listing.find("#define WAKEUP_VM2\t\t02\n"), std::string::npos);
    EXPECT_NE(listing.find("#define p_VP3\t\t03\n"), std::string::npos);
    EXPECT_NE(listing.find("//               p    3            ADPCM14-4-1       8000 0x00002c  "
                           "0x000413\n"),
              std::string::npos)
        << listing;
}

TEST_F(ImageBuild, PromptEndingOnASectorBoundaryPushesTheVersionIntoTheNext) {
    stream("p", 4096 - 44);
    const auto report = build({request("p")});
    ASSERT_TRUE(report.built);
    EXPECT_EQ(report.versionAddress, 4096u);
    EXPECT_EQ(fs::file_size(image()), 8192u);
    EXPECT_EQ(report.recordingPointer, 2u);
}

TEST_F(ImageBuild, SplitFilesOnlyAboveTheInternalMemory) {
    stream("p", 1048576 - 76);
    ASSERT_TRUE(build({request("p")}).built);
    EXPECT_EQ(fs::file_size(image()), 1048576u);
    EXPECT_FALSE(fs::exists(image().string() + ".int"));

    stream("p", 1048576 - 75);
    ASSERT_TRUE(build({request("p")}).built);
    EXPECT_EQ(fs::file_size(image()), 1048576u + 4096);
    ASSERT_EQ(fs::file_size(image().string() + ".int"), 1048576u);
    EXPECT_EQ(fs::file_size(image().string() + ".ext"), 4096u);
    const std::string whole = readBytes(image());
    EXPECT_EQ(readBytes(image().string() + ".int") + readBytes(image().string() + ".ext"), whole);
}

TEST_F(ImageBuild, EmptyEntriesAreSkippedAndMissingStreamsRefuseTheBuild) {
    stream("a", 100);
    stream("b", 200);
    PromptRequest empty{};
    ASSERT_TRUE(build({empty, request("a"), empty, request("b")}).built);
    const auto& prompts = projectState().prompts;
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[1].index, 1);
    EXPECT_EQ(prompts[1].number, 4);
    EXPECT_EQ(prompts[1].begin, 20u + 6 * 5 + 100);

    fs::remove(image());
    HookRecorder hooks;
    EXPECT_FALSE(build({request("a"), request("missing")}).built);
    EXPECT_TRUE(hooks.hasError("Busy", "Please wait for file compression to be finished"));
    EXPECT_EQ(hooks.count(HookEvent::Kind::FileError), 1u);
    EXPECT_FALSE(fs::exists(image()));
}

TEST_F(ImageBuild, ProjectFileIsRewrittenOnlyWhenItExists) {
    stream("p", 10);
    {
        HookRecorder hooks;
        ASSERT_TRUE(build({request("p")}).built);
        EXPECT_TRUE(hooks.hasError("No File Specified!", "Invalid project specified, use Save As"));
    }
    const fs::path prj = dir.path() / (dir.path().filename().string() + ".prj");
    writeBytes(prj, "old");
    HookRecorder hooks;
    ASSERT_TRUE(build({request("p")}).built);
    EXPECT_EQ(hooks.count(HookEvent::Kind::Error), 0u);
    EXPECT_NE(readBytes(prj).find("VW_1=/recordings/p.wav"), std::string::npos);
}

TEST_F(ImageBuild, MacrosAndReservedMemoryOfTheSecondBuilder) {
    stream("p", 100);
    const std::uint8_t cmds[] = {0xA6, 0x00, 0x03, 0xA8, 0x00, 0x02, 0xFF};
    VoiceMacroBlock block{};
    std::snprintf(block.name + 256, 256, "%s", "HELLO");
    block.number = 3;
    block.length = sizeof cmds;
    block.data = cmds;
    PromptRequest region{};
    region.kind = 0;
    region.compressedSize = 8192;
    PromptRequest req = request("p");
    loadVoiceMacroBlocks(1, &block);
    ASSERT_TRUE(loadExtraEntries(1, &region));
    loadPromptRequests(1, &req);
    ASSERT_TRUE(buildDownloadImage().built);
    const std::string img = readBytes(image());
    // n = 4 macros + 1 prompt: the prompt is number 4 at 50, the macro data after it.
    ASSERT_EQ(img.size(), 4096u * 3);
    const auto& macros = projectState().macros;
    ASSERT_EQ(macros.size(), 4u);
    EXPECT_EQ(macros[3].begin, 150u);
    EXPECT_EQ(img.substr(150, sizeof cmds), std::string(cmds, cmds + sizeof cmds));
    EXPECT_EQ(projectState().reserved[0].begin, 4096u);
    EXPECT_EQ(img[1], 3); // recording starts after the reserved sectors
    const std::string listing = readBytes(dir.path() / "LOGO_mem.txt");
    EXPECT_NE(listing.find("// VM           HELLO Index    3\n//   PLAY_VP(3)\n"),
              std::string::npos)
        << listing;
    EXPECT_NE(listing.find("//   Silence (96 ms)\n//   Finish\n"), std::string::npos);
    EXPECT_NE(listing.find("#define HELLO_VM3\t\t03\n#define p_VP4\t\t04\n"), std::string::npos);
}

TEST_F(ImageBuild, MessagesAreChainedThroughSectorsOfReservedMemory) {
    stream("p", 100);
    fs::create_directories(dir.path() / "WavSrc");
    std::string message(5000, '\x11');
    writeBytes(dir.path() / "WavSrc" / "msg.bin", message);
    PromptRequest extras[2]{};
    extras[0].kind = 32;
    std::snprintf(extras[0].sourcePath, sizeof extras[0].sourcePath, "/elsewhere/msg.bin");
    extras[1].kind = 64;
    ASSERT_TRUE(loadExtraEntries(2, extras));
    ASSERT_TRUE(build({request("p")}).built);
    const std::string img = readBytes(image());
    const auto& regions = projectState().reserved;
    ASSERT_EQ(regions.size(), 2u);
    ASSERT_EQ(regions[0].begin, 4096u);
    ASSERT_EQ(regions[1].begin, 3u * 4096);
    ASSERT_EQ(img.size(), 4u * 4096);
    const auto byte = [&img](std::size_t i) { return static_cast<unsigned char>(img[i]); };
    // First sector: start of message, next is sector 2, 4091 bytes.
    EXPECT_EQ(byte(4096), 0xDF);
    EXPECT_EQ(byte(4097) | byte(4098) << 8, 2);
    EXPECT_EQ(byte(4099) | byte(4100) << 8, 4091);
    EXPECT_EQ(img.substr(4101, 4091), message.substr(0, 4091));
    // Second sector: the rest, end of the chain.
    EXPECT_EQ(byte(8192), 0x1F);
    EXPECT_EQ(byte(8193) | byte(8194) << 8, 0xFFFF);
    EXPECT_EQ(byte(8195) | byte(8196) << 8, 909);
    EXPECT_EQ(img.substr(8197, 909), message.substr(4091));
    EXPECT_EQ(byte(8197 + 909), 0xFF);
    // The empty slot is marked as such.
    EXPECT_EQ(byte(3 * 4096), 0x5F);

    // A message whose stream is missing keeps the whole image from being built.
    fs::remove(image());
    projectState().reserved.clear();
    HookRecorder hooks;
    std::snprintf(extras[0].sourcePath, sizeof extras[0].sourcePath, "/elsewhere/none.bin");
    ASSERT_TRUE(loadExtraEntries(1, extras));
    EXPECT_FALSE(build({request("p")}).built);
    EXPECT_TRUE(hooks.hasError("Busy", "Please wait for file compression to be finished"));
    EXPECT_FALSE(fs::exists(image()));
}

} // namespace
} // namespace quorl::vq4::test

namespace quorl::vq4::test {
namespace {

// Slots past the message (and every slot of an empty one) are empty sectors; the
// sanitizer build checks that none of them reaches into the stream.
TEST(MessageChain, SlotsPastTheMessageAreEmptySectors) {
    for (const std::size_t size : {std::size_t{0}, std::size_t{100}, std::size_t{4091 + 7}}) {
        const std::vector<std::uint8_t> stream(size, 0x64);
        const auto sectors = messageSectors(stream, 0x0200, 4);
        ASSERT_EQ(sectors.size(), 4u * 4096) << size;
        const std::uint32_t used = size == 0 ? 0 : messageSectorCount(size);
        for (std::uint32_t s = 0; s < 4; ++s) {
            const std::uint8_t* sector = sectors.data() + std::size_t{s} * 4096;
            if (s >= used) {
                EXPECT_EQ(sector[0], kMessageEmpty) << size << " " << s;
                EXPECT_EQ(sector[3] | sector[4] << 8, 0);
                EXPECT_EQ(sector[5], 0xFF);
            } else {
                EXPECT_EQ(sector[5], 0x64);
            }
        }
    }
}

} // namespace
} // namespace quorl::vq4::test
