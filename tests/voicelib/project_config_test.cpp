#include "tests/voicelib/hook_recorder.h"
#include "tests/voicelib/test_wav.h"
#include "voicelib/codec_types.h"
#include "voicelib/project_state.h"
#include "voicelib/prompt_names.h"
#include "voicelib/sample_rates.h"
#include "voicelib/voice_macros.h"
#include "voicelib/vq4.h"
#include "voicelib/vq4_texts.h"

#include <clocale>
#include <gtest/gtest.h>

namespace quorl::vq4::test {
namespace {

TEST(MasterSampleRate, ClockConfigurationExamples) {
    EXPECT_DOUBLE_EQ(masterSampleRate(0x24, 4096000), 32000.0);
    EXPECT_DOUBLE_EQ(masterSampleRate(0x34, 4096000), 64000.0);
    // M = 0: the input clock as it is, whatever D says.
    EXPECT_DOUBLE_EQ(masterSampleRate(0x00, 4096000), 8000.0);
    EXPECT_DOUBLE_EQ(masterSampleRate(0x0C, 4096000), 8000.0);
    // D = 2 and 3 both divide by 3.
    EXPECT_DOUBLE_EQ(masterSampleRate(0x18, 4096000), masterSampleRate(0x1C, 4096000));
}

TEST(MasterSampleRate, WarningOnlyAbove48k) {
    ProjectConfig c{};
    c.clockInputFrequency = 4096000;
    {
        HookRecorder hooks;
        c.clockConfigurationByte = 0x24;
        openProject(c);
        EXPECT_EQ(hooks.count(HookEvent::Kind::Error), 0u);
        EXPECT_DOUBLE_EQ(projectState().masterRate, 32000.0);
    }
    HookRecorder hooks;
    c.clockConfigurationByte = 0x34;
    openProject(c);
    EXPECT_TRUE(hooks.hasError(texts::kMasterRateTitle, texts::kMasterRateText));
}

TEST(SrType, RatesAndNearestChoice) {
    const double m = 32000;
    EXPECT_EQ(srTypeRate(0, m), 4000);
    EXPECT_EQ(srTypeRate(1, m), 5333);
    EXPECT_EQ(srTypeRate(3, m), 8000);
    EXPECT_EQ(srTypeRate(4, m), 12800);
    EXPECT_EQ(srTypeRate(6, m), 32000);
    EXPECT_EQ(srTypeRate(7, m), 0);
    EXPECT_EQ(srTypeRate(-1, m), 0);
    EXPECT_EQ(nearestSrType(7000, m), 2);
    EXPECT_EQ(nearestSrType(7199, m), 2);
    EXPECT_EQ(nearestSrType(7200, m), 3); // the midpoint goes up
    EXPECT_EQ(nearestSrType(44100, m), 6);
    EXPECT_EQ(nearestSrType(0, m), 0);
}

TEST(PromptNames, EveryFileOfAPrompt) {
    const ProjectFolders f{"/p/WavFiles/", "/p/BinFiles"};
    const auto n = promptFileNames(f, promptName("/a/b/beep.wav"), 8000, "ADPCM14-4-1");
    EXPECT_EQ(n.resampled, "/p/WavFiles/beep_8000.wav");
    EXPECT_EQ(n.checkWav, "/p/WavFiles/beep_8000_ADPCM14-4-1.wav");
    EXPECT_EQ(n.stream, "/p/BinFiles/beep_8000_ADPCM14-4-1.bin");
    EXPECT_EQ(n.plainStream, "/p/BinFiles/beep.bin");
    EXPECT_EQ(listingPathFor("/b/LOGO.mem"), "/b/LOGO_mem.txt");

    ProjectConfig c{};
    std::snprintf(c.projectDir, sizeof c.projectDir, "/tmp/nonexistent-quorl/proj/");
    openProject(c);
    EXPECT_EQ(projectState().folders().wavDir, "/tmp/nonexistent-quorl/proj/WavFiles");
    EXPECT_EQ(projectState().folders().binDir, "/tmp/nonexistent-quorl/proj/BinFiles");
    EXPECT_EQ(projectState().imagePath(), "/tmp/nonexistent-quorl/proj/proj.mem");
}

TEST(CodecTypes, TagsNamesAndConfigurationBytes) {
    EXPECT_EQ(codecInfo(4)->tag, "ADPCM14-4-1");
    EXPECT_EQ(codecInfo(12)->tag, "ADPCM14-4-E2");
    EXPECT_EQ(codecInfo(28)->tag, "MSVBR14_5-2.00mV-34dB");
    EXPECT_EQ(codecInfo(30)->tag, "MSVBR14_5-0.50mV-46dB");
    EXPECT_EQ(codecInfo(21)->tag, "DuLaw7");
    EXPECT_EQ(codecInfo(25)->reportName, "PCM 10Bit");
    EXPECT_FALSE(codecInfo(26));
    EXPECT_EQ(codecListName(-1), "D:Default");
    EXPECT_EQ(codecListName(26), "Invalid - reselect");
    EXPECT_EQ(configurationByte(3, 4), 0x64);
    EXPECT_TRUE(isValidConfigurationByte(0x64));
    EXPECT_FALSE(isValidConfigurationByte(0x6C)); // code 12 is no chip codec
    EXPECT_FALSE(isValidConfigurationByte(0xE4)); // above 223
}

VoiceMacro macro(int number, std::vector<std::uint8_t> data) {
    VoiceMacro m;
    m.number = number;
    m.name.assign(1, 'M'); // not "M" + ...: GCC 12 at -O3 reports a false overlap
    m.name.append(std::to_string(number));
    m.data = std::move(data);
    return m;
}

TEST(VoiceMacros, ChecksAndTheirMessages) {
    {
        HookRecorder hooks;
        EXPECT_TRUE(checkVoiceMacros(builtInMacros()));
        EXPECT_TRUE(hooks.events.empty());
    }
    {
        HookRecorder hooks; // CFG register 0 with value 0x6C is no configuration byte
        EXPECT_FALSE(checkVoiceMacros({macro(1, {0xB8, 0x6C, 0x00, 0xFF})}));
        EXPECT_TRUE(hooks.hasError("VM Command Error!",
                                   "The register value of Set CFG0 command of M1 VG is invalid"));
    }
    {
        HookRecorder hooks;
        EXPECT_FALSE(checkVoiceMacros({macro(1, {0xA6, 0x00, 0x05, 0x12})}));
        EXPECT_TRUE(hooks.hasError(" Invalid VM", texts::kPuEndsWithPd));
    }
    {
        HookRecorder hooks; // no FINISH: the question is asked and answered yes
        EXPECT_TRUE(checkVoiceMacros({macro(2, {0xA6, 0x00, 0x05}), macro(3, {0x12})}));
        ASSERT_EQ(hooks.count(HookEvent::Kind::Question), 1u);
        EXPECT_NE(hooks.events[0].text.find("Voice Macro #2  does not end"), std::string::npos);
    }
    EXPECT_EQ(configRegisterLine(0), "0x000 AUD");
    EXPECT_EQ(configRegisterLine(15), "0x00F REGF");
    EXPECT_EQ(configRegisterLine(19), "0x013 REG13");
    EXPECT_EQ(configRegisterLine(21), "0x015 VOLA");
    EXPECT_EQ(configRegisterLine(33), "0x021 R0_MSB");
    EXPECT_EQ(configRegisterName(29), "");
}

} // namespace
} // namespace quorl::vq4::test

namespace quorl::vq4 {
namespace {

// The library runs inside a program whose desktop may use a decimal comma; the
// file names it makes must not change with that.
TEST(CodecTypes, TagsIgnoreADecimalCommaLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "de_DE.UTF-8 is not installed (the locales-all package)";
    const std::string high = codecInfo(28)->tag;
    const std::string quality = codecInfo(30)->tag;
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(high, "MSVBR14_5-2.00mV-34dB");
    EXPECT_EQ(quality, "MSVBR14_5-0.50mV-46dB");
}

} // namespace
} // namespace quorl::vq4
