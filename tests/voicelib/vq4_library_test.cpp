// The library as the program meets it: loaded with dlopen through the
// program's loader and called only through its C interface.
#include "audio/vq4_library.h"
#include "tests/support/program_run.h"
#include "tests/voicelib/test_wav.h"

#include <array>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

namespace quorl::vq4::test {
namespace {

namespace fs = std::filesystem;

std::set<std::string> exportedSymbols(const std::string& library) {
    std::set<std::string> names;
    std::istringstream lines(
        quorl::test::runProgram({"/usr/bin/nm", "-D", "--defined-only", library}).out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            names.insert(name);
    }
    return names;
}

ProjectConfig programConfig(const fs::path& dir) {
    ProjectConfig c{};
    std::snprintf(c.projectDir, sizeof c.projectDir, "%s", dir.c_str());
    std::snprintf(c.memFileName, sizeof c.memFileName, "%s", (dir / "LOGO.mem").c_str());
    c.clockConfigurationByte = 0x24;
    c.clockInputFrequency = 4096000;
    c.sourceFileSampleRate = 8000;
    c.intMem = 64;
    return c;
}

class LoadedLibrary : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(lib.load()) << lib.error(); }
    CXLoadLibrary lib;
};

TEST(Vq4Exports, ExactlyTheDocumentedEntryPoints) {
    const auto paths = CXLoadLibrary::candidatePaths();
    ASSERT_GE(paths.size(), 2u);
    const std::set<std::string> expected{"VQ4Init",
                                         "VQ4CompressVoice",
                                         "VQ4CreateDownloadFile",
                                         "VQ4CreateDownloadFile2",
                                         "VQ4DecodeStream",
                                         "VQ4FreeAll",
                                         "CreateVQ4",
                                         "DestroyVQ4",
                                         "GetCpuSpeedVQ4",
                                         "_ZN4CVQ411GetCpuSpeedEv",
                                         "_ZN4CVQ4aSERKS_"};
    EXPECT_EQ(exportedSymbols(paths[1]), expected);
}

TEST(Vq4Exports, RecordsKeepTheNaturalCLayout) {
    EXPECT_EQ(offsetof(ProjectConfig, resampleDir), 256u);
    EXPECT_EQ(offsetof(ProjectConfig, clockConfigurationByte), 1036u);
    EXPECT_EQ(offsetof(ProjectConfig, clockInputFrequency), 1040u);
    EXPECT_EQ(offsetof(ProjectConfig, intMem), 1056u);
    EXPECT_EQ(offsetof(PromptRequest, compressedSize), 772u);
    EXPECT_EQ(offsetof(PromptRequest, kind), 784u);
    EXPECT_EQ(offsetof(PromptRequest, value), 788u);
    EXPECT_EQ(offsetof(VoiceMacroBlock, data), 520u);
}

TEST(Vq4Loader, ReadsTheVersionNoteAndRefusesModulesWithout) {
    CXLoadLibrary lib;
    ASSERT_TRUE(lib.load()) << lib.error();
    const std::array<std::uint16_t, 4> expected{QUORL_VERSION_MAJOR, QUORL_VERSION_MINOR,
                                                QUORL_VERSION_PATCH, 0};
    EXPECT_EQ(lib.version().file, expected);
    EXPECT_EQ(lib.version().product, expected);
    EXPECT_NE(lib.VQ4CreateDownloadFile2, nullptr);

    // A real shared library without our note is not the voice library.
    CXLoadLibrary other;
    EXPECT_FALSE(other.loadFrom("libsndfile.so.1"));
    EXPECT_FALSE(other.isLoaded());
    EXPECT_EQ(other.VQ4Init, nullptr);
    EXPECT_FALSE(other.loadFrom("/nonexistent/libVQ4.so"));
}

TEST_F(LoadedLibrary, ProgramBuildGivesTheStreamAndTheImage) {
    TempDir dir("dlopen");
    const ProjectConfig config = programConfig(dir.path());
    ASSERT_EQ(lib.VQ4Init(&config), 0);
    EXPECT_TRUE(fs::is_directory(dir.path() / "WavFiles"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "BinFiles"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "Logs"));

    writeWav(dir.path() / "beep.wav", voiceLike(12000));
    PromptRequest req{};
    std::snprintf(req.sourcePath, sizeof req.sourcePath, "%s", (dir.path() / "beep.wav").c_str());
    std::snprintf(req.codecTag, sizeof req.codecTag, "%s", "ignored.bin");
    req.srType = 3;
    req.compressionType = 4;
    ASSERT_EQ(lib.VQ4CompressVoice(req.sourcePath, req.streamPath, req.codecTag,
                                   &req.compressedSize, req.srType, req.compressionType),
              0);
    const fs::path stream = dir.path() / "BinFiles" / "beep_8000_ADPCM14-4-1.bin";
    EXPECT_EQ(std::string(req.streamPath), stream.string());
    EXPECT_STREQ(req.codecTag, "ADPCM14-4-1");
    ASSERT_TRUE(fs::exists(stream));
    EXPECT_EQ(static_cast<std::uintmax_t>(req.compressedSize), fs::file_size(stream));
    EXPECT_EQ(static_cast<unsigned char>(readBytes(stream)[0]), 0x64);
    EXPECT_TRUE(fs::exists(dir.path() / "WavFiles" / "beep_8000.wav"));
    EXPECT_TRUE(fs::exists(dir.path() / "WavFiles" / "beep_8000_ADPCM14-4-1.wav"));

    EXPECT_EQ(lib.VQ4CreateDownloadFile(1, &req), 0);
    const fs::path image = dir.path() / "LOGO.mem";
    ASSERT_TRUE(fs::exists(image));
    EXPECT_EQ(fs::file_size(image) % 4096, 0u);
    EXPECT_TRUE(fs::exists(dir.path() / "LOGO_mem.txt"));
    EXPECT_EQ(lib.VQ4FreeAll(), 0);
}

TEST_F(LoadedLibrary, RefusalsAreQuietAndSafe) {
    TempDir dir("refusals");
    const ProjectConfig config = programConfig(dir.path());
    lib.VQ4Init(&config);
    writeWav(dir.path() / "a.wav", voiceLike(800));
    const std::string source = (dir.path() / "a.wav").string();
    char stream[VQ4_TEXT_SIZE] = "unchanged";
    char tag[VQ4_TEXT_SIZE] = "";

    int32_t size = 77;
    EXPECT_EQ(lib.VQ4CompressVoice("", stream, tag, &size, 3, 4), 0);
    EXPECT_EQ(size, 77); // an empty entry does nothing

    EXPECT_EQ(lib.VQ4CompressVoice(source.c_str(), stream, tag, &size, 3, 26), 0);
    EXPECT_EQ(size, 0);
    EXPECT_STREQ(stream, "unchanged");
    EXPECT_TRUE(fs::is_empty(dir.path() / "BinFiles"));

    // A type without a rate is refused instead of resampling by a factor of 0.
    size = 5;
    EXPECT_EQ(lib.VQ4CompressVoice(source.c_str(), stream, tag, &size, 7, 4), 0);
    EXPECT_EQ(size, 0);
    EXPECT_TRUE(fs::is_empty(dir.path() / "WavFiles"));

    PromptRequest none{};
    EXPECT_EQ(lib.VQ4CreateDownloadFile(0, &none), 1);
    EXPECT_EQ(lib.VQ4CreateDownloadFile2(0, &none, 0, nullptr, 0, nullptr), 1);
    EXPECT_FALSE(fs::exists(dir.path() / "LOGO.mem"));

    // Texts that fill their arrays without a terminator are read only up to the end.
    ProjectConfig full = config;
    std::memset(full.projectDir, 'x', sizeof full.projectDir);
    std::memset(full.memFileName, 'y', sizeof full.memFileName);
    lib.VQ4Init(&full);
    PromptRequest wild{};
    std::memset(wild.sourcePath, 'z', sizeof wild.sourcePath);
    wild.compressionType = 4;
    wild.srType = 3;
    EXPECT_EQ(lib.VQ4CompressVoice(wild.sourcePath, wild.streamPath, wild.codecTag,
                                   &wild.compressedSize, 3, 4),
              0);
    EXPECT_EQ(wild.compressedSize, 0);
    EXPECT_EQ(lib.VQ4CreateDownloadFile(1, &wild), 0);
    EXPECT_EQ(lib.VQ4FreeAll(), 0);
    EXPECT_EQ(lib.VQ4Init(nullptr), 0);
}

TEST_F(LoadedLibrary, SecondBuilderTakesMacrosAndReservedMemory) {
    TempDir dir("builder2");
    const ProjectConfig config = programConfig(dir.path());
    lib.VQ4Init(&config);
    writeWav(dir.path() / "p.wav", voiceLike(3000));
    PromptRequest req{};
    std::snprintf(req.sourcePath, sizeof req.sourcePath, "%s", (dir.path() / "p.wav").c_str());
    req.srType = 3;
    req.compressionType = 4;
    lib.VQ4CompressVoice(req.sourcePath, req.streamPath, req.codecTag, &req.compressedSize, 3, 4);
    ASSERT_GT(req.compressedSize, 0);

    const std::uint8_t play[] = {0xA6, 0x00, 0x04, 0xFF};
    VoiceMacroBlock macro{};
    std::snprintf(macro.name + 256, 256, "GREETING");
    macro.number = 3;
    macro.length = sizeof play;
    macro.data = play;
    PromptRequest region{};
    region.kind = 4;
    region.compressedSize = 4096;
    const fs::path data = dir.path() / "table.dat";
    std::snprintf(region.sourcePath, sizeof region.sourcePath, "%s", data.c_str());

    // A data file whose first byte has bit 5 set may not go into reserved memory.
    writeBytes(data, "\x20"
                     "abc");
    EXPECT_EQ(lib.VQ4CreateDownloadFile2(1, &req, 1, &region, 1, &macro), 1);
    EXPECT_FALSE(fs::exists(dir.path() / "LOGO.mem"));

    writeBytes(data, "\x1F"
                     "abc");
    EXPECT_EQ(lib.VQ4CreateDownloadFile2(1, &req, 1, &region, 1, &macro), 1);
    const std::string image = readBytes(dir.path() / "LOGO.mem");
    ASSERT_EQ(image.size() % 4096, 0u);
    // Four macros and the prompt: the prompt is entry 5 and number 4.
    const auto at = [&image](std::size_t i) { return static_cast<unsigned char>(image[i]); };
    const std::size_t promptBegin = at(29) | at(30) << 8 | at(31) << 16;
    EXPECT_EQ(promptBegin, 20u + 6 * 5);
    const std::size_t macroBegin = at(23) | at(24) << 8 | at(25) << 16;
    EXPECT_EQ(macroBegin, promptBegin + static_cast<std::size_t>(req.compressedSize));
    EXPECT_EQ(image.substr(macroBegin, 4), std::string(play, play + 4));
    EXPECT_NE(image.find("\x1F"
                         "abc"),
              std::string::npos);
    const std::string listing = readBytes(dir.path() / "LOGO_mem.txt");
    EXPECT_NE(listing.find("//   PLAY_VP(p)\n//   Finish\n"), std::string::npos) << listing;
    EXPECT_NE(listing.find("// There are 1 reserved memory entries in this file.\n"),
              std::string::npos);
    // The refused call before did not leave a second copy of the commands behind.
    EXPECT_EQ(listing.find("PLAY_VP"), listing.rfind("PLAY_VP"));

    // A region far beyond the 24-bit addresses of the pointer table is not built.
    fs::remove(dir.path() / "LOGO.mem");
    region.kind = 0;
    region.compressedSize = 0x7FFFF000;
    EXPECT_EQ(lib.VQ4CreateDownloadFile2(1, &req, 1, &region, 1, &macro), 1);
    EXPECT_FALSE(fs::exists(dir.path() / "LOGO.mem"));
    lib.VQ4FreeAll();
}

TEST_F(LoadedLibrary, CpuSpeedObject) {
    ASSERT_NE(lib.CreateVQ4, nullptr);
    EXPECT_EQ(lib.GetCpuSpeedVQ4(nullptr), 0);
    CVQ4* object = lib.CreateVQ4();
    ASSERT_NE(object, nullptr);
    const std::int64_t mhz = lib.GetCpuSpeedVQ4(object);
    EXPECT_GT(mhz, 100);
    EXPECT_LT(mhz, 20000);
    lib.DestroyVQ4(object);
    lib.DestroyVQ4(nullptr);
}

} // namespace
} // namespace quorl::vq4::test
