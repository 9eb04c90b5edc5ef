#include "audio/voice_build.h"

#include "audio/ini_reader.h"
#include "codeplug/atomic_file_write.h"
#include "codeplug/private_folder.h"

#include <cstring>
#include <span>
#include <vector>

namespace quorl {

namespace fs = std::filesystem;

namespace {

constexpr const char* kCodecSuffix = "_8000_ADPCM14-4-1";

void copyText(char* out, std::size_t size, const std::string& text) {
    const std::size_t n = std::min(size - 1, text.size());
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

} // namespace

std::string buildConfigText(const fs::path& folder, const std::string& wavPath) {
    const std::string f = folder.string();
    const std::string src = f + "/WavSrc/";
    std::string t;
    t += "[Info]\r\n";
    t += "DeviceID=18\r\n";
    t += "ProjectDir=" + f + "\r\n";
    t += "BinDir=" + f + "/BinFiles\r\n";
    t += "ResampleDIr=" + f + "/WavFiles\r\n";
    t += "SourceFileSampleRate=8000\r\n";
    t += "SourceFileBitsPerSample=16\r\n";
    t += "IntMem=64\r\n";
    t += "ClockConfigurationByte=0x24\r\n";
    t += "ClockInputFrequency=4096000\r\n";
    t += "MemFileName=" + f + "/LOGO.mem\r\n";
    t += "VoicePromptsEncoding=0x64\r\n";
    t += "[VPWaveList]\r\n";
    t += "VW_1  =" + wavPath;
    t += "\r\nVW_2  =" + src + "two.wav\r\n";
    const char* names[] = {"three", "four", "five", "six", "seven", "eight", "nine"};
    for (int i = 0; i < 7; ++i)
        t += "VW_" + std::to_string(i + 3) + "  =" + src + names[i] + ".wav\r\n";
    t += "VW_10 =" + src + "ten.wav\r\n";
    t += "VW_11 =" + src + "thirty.wav\r\n";
    t += "VW_12 =" + src + "twenty.wav\r\n";
    t += "VW_13 =" + src + "AlarmOn.wav\r\n";
    t += "VW_14 =" + src + "FastBeep.wav\r\n";
    t += "VW_15 =" + src + "Please wait.wav\r\n";
    t += "[ReservedMemoryList]\r\n";
    t += "RM_1 = " + f + "/dat/test.dat [0x2000, 0]\r\n";
    t += "RM_2 = " + f + "/dat/a.dat [0x4000, 5]\r\n";
    t += "[VoiceMacroList]\r\n";
    t += "VM_1 = "
         "0x00,[0xB8,0x36,0x01,0xB4,0x34,0x00,0xB8,0x02,0x44,0xB8,0x03,0x00,0xa6,0x00,0x05]\r\n";
    t += "VM_2 = 0x00,[0xa6,0x00,0x06]\r\n";
    t += "VM_3 = 0x00,[0xa6,0x00,0x07]\r\n";
    t += "VM_4 = 0x00,[0x12]\r\n";
    t += "VM_5 = 0x01,[0xB8,0x36,0x01,0xB4,0x34,0x00,0xB8,0x02,0x44,0xFF]\r\n";
    t += "VM_6 = 0x02,[0xB8,0x36,0x01,0xb8,0x00,0x00]\r\n";
    t += "VM_7 = 0x02,[0xFF]\r\n";
    t += "VM_8 = 0x03,[0xFF]\r\n";
    return t;
}

fs::path slotStreamPath(const fs::path& folder, const std::string& wavPath) {
    return folder / "BinFiles" / (fs::path(wavPath).stem().string() + kCodecSuffix + ".bin");
}

std::optional<fs::path> VoiceBuild::build(const std::string& wavPath) {
    // 1. The configuration, written whole.
    // The library writes here without further checks; the folder must be the user's own.
    std::string problem;
    if (!ensurePrivateFolder(folder_, problem))
        return std::nullopt;
    std::error_code ec;
    const fs::path cfg = folder_ / "BuildIMG.cfg";
    const std::string text = buildConfigText(folder_, wavPath);
    if (!writeFileAtomically(cfg, std::as_bytes(std::span(text.data(), text.size()))))
        return std::nullopt;

    // 2. A fresh copy of the library.
    const bool loaded = libraryPath_.empty() ? library_.load() : library_.loadFrom(libraryPath_);
    if (!loaded)
        return std::nullopt;

    // 3. The configuration as read back.
    IniReader ini;
    if (!ini.load(cfg))
        return std::nullopt;
    ProjectConfig config{};
    copyText(config.projectDir, sizeof config.projectDir,
             ini.readString("Info", "ProjectDir", "", 259));
    copyText(config.resampleDir, sizeof config.resampleDir,
             ini.readString("Info", "ResampleDir", "", 259));
    copyText(config.binDir, sizeof config.binDir, ini.readString("Info", "BinDir", "", 259));
    copyText(config.memFileName, sizeof config.memFileName,
             ini.readString("Info", "MemFileName", "", 259));
    config.clockConfigurationByte =
        static_cast<std::uint8_t>(ini.readHex("Info", "ClockConfigurationByte", 0x24) & 0xFF);
    config.clockInputFrequency = static_cast<double>(
        static_cast<std::uint32_t>(ini.readInt("Info", "ClockInputFrequency", 4096000)));
    config.sourceFileSampleRate = static_cast<double>(
        static_cast<std::int16_t>(ini.readInt("Info", "SourceFileSampleRate", 8000)));
    config.intMem = static_cast<std::int16_t>(ini.readInt("Info", "IntMem", 64));
    library_.VQ4Init(&config);

    // 4. One request per wave; the slot's stream is always compressed afresh.
    const auto waves = ini.readList("VPWaveList", "VW_", 255);
    std::vector<PromptRequest> requests(waves.size());
    for (std::size_t i = 0; i < waves.size(); ++i) {
        PromptRequest& r = requests[i];
        r.index = static_cast<std::int32_t>(i);
        copyText(r.sourcePath, sizeof r.sourcePath, waves[i]);
        const std::string name = fs::path(waves[i]).stem().string();
        copyText(r.codecTag, sizeof r.codecTag,
                 (fs::path(config.binDir) / (name + ".bin")).string());
        r.srType = 3;
        r.compressionType = 4;
    }
    const fs::path stream = slotStreamPath(folder_, wavPath);
    // A failed build must never leave an earlier stream to be sent in its place.
    fs::remove(stream, ec);
    if (!waves.empty()) {
        const std::string name = fs::path(waves[0]).stem().string();
        fs::remove(fs::path(config.resampleDir) / (name + "_8000.wav"), ec);
        fs::remove(fs::path(config.resampleDir) / (name + kCodecSuffix + ".wav"), ec);
    }

    // 5 to 7.
    for (auto& r : requests)
        library_.VQ4CompressVoice(r.sourcePath, r.streamPath, r.codecTag, &r.compressedSize,
                                  r.srType, r.compressionType);
    library_.VQ4CreateDownloadFile(static_cast<std::int32_t>(requests.size()), requests.data());
    library_.VQ4FreeAll();
    return stream;
}

} // namespace quorl
