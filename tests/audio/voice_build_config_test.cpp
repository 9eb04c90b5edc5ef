#include "audio/ini_reader.h"
#include "audio/voice_build.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

TEST(IniReader, HexReaderAndCaseInsensitiveKeys) {
    IniReader ini;
    ini.parse("[Info]\r\nA=0x\r\nB=24\r\nc=0x1fZ9\r\nD=0xFFFFF\r\nName=  spaced  \r\n"
              "[VPWaveList]\r\nVW_1=a.wav\r\nVW_2=b.wav\r\nVW_3=\r\nVW_4=d.wav\r\n");
    EXPECT_EQ(ini.readHex("info", "a", 0x24), 0);
    EXPECT_EQ(ini.readHex("Info", "B", 0x24), 0x24) << "no prefix: the default";
    EXPECT_EQ(ini.readHex("INFO", "C", 0), 0x1F);
    EXPECT_EQ(ini.readHex("Info", "D", 0), 0xFFFF) << "seven characters at most";
    EXPECT_EQ(ini.readHex("Info", "missing", 0x64), 0x64);
    EXPECT_EQ(ini.readString("Info", "name", "", 255), "spaced");
    EXPECT_EQ(ini.readString("Info", "name", "", 3), "spa");
    EXPECT_EQ(ini.readList("VPWaveList", "VW_", 255), (std::vector<std::string>{"a.wav", "b.wav"}));
    EXPECT_EQ(ini.readInt("Info", "B", 7), 24);
    EXPECT_EQ(ini.readInt("Info", "name", 7), 7);
}

TEST(VoiceBuild, ConfigurationTextReadsBackAsWritten) {
    const std::string text = buildConfigText("/b", "/audio/beep.wav");
    EXPECT_EQ(text.substr(0, 8), "[Info]\r\n");
    EXPECT_NE(text.find("ResampleDIr=/b/WavFiles\r\n"), std::string::npos);
    EXPECT_NE(text.find("VW_1  =/audio/beep.wav\r\nVW_2  =/b/WavSrc/two.wav\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("VW_15 =/b/WavSrc/Please wait.wav\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 20), "VM_8 = 0x03,[0xFF]\r\n");
    IniReader ini;
    ini.parse(text);
    EXPECT_EQ(ini.readString("Info", "ResampleDir", "", 259), "/b/WavFiles");
    EXPECT_EQ(ini.readHex("Info", "ClockConfigurationByte", 0), 0x24);
    EXPECT_EQ(ini.readList("VPWaveList", "VW_", 255).size(), 15u);
    EXPECT_EQ(ini.readList("VoiceMacroList", "VM_", 255).size(), 8u);
    EXPECT_EQ(slotStreamPath("/b", 5), "/b/BinFiles/Custom_SW-A_8000_ADPCM14-4-1.bin");
}

TEST(VoiceBuild, NoLibraryMeansNoBuild) {
    const test::TempDir project;
    VoiceBuild build(project.path(), "/nonexistent/libVQ4.so");
    EXPECT_FALSE(build.build(0, "/x.wav"));
    EXPECT_FALSE(build.library().isLoaded());
}

} // namespace
} // namespace quorl
