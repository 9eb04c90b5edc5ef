#include "audio/voice_build.h"

#include "audio/build_folder_lock.h"
#include "audio/custom_audio_slots.h"
#include "audio/ini_reader.h"
#include "base/atomic_file_write.h"
#include "base/file_reading.h"
#include "base/private_folder.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <span>
#include <unistd.h>
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

std::string boundedTag(const char (&text)[VQ4_TEXT_SIZE]) {
    return std::string(text, strnlen(text, sizeof text));
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

std::string slotFileStem(int slot) {
    std::string name(kCustomAudioSlots.at(static_cast<std::size_t>(slot)).downloadName);
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

fs::path slotStreamPath(const fs::path& folder, int slot) {
    return folder / "BinFiles" / (slotFileStem(slot) + kCodecSuffix + ".bin");
}

VoiceBuild::~VoiceBuild() {
    std::error_code ec;
    for (const auto& work : workFolders_)
        fs::remove_all(work, ec);
}

namespace {

// The library holds one project per process: one build at a time.
std::mutex libraryInUse;

} // namespace

std::optional<fs::path> VoiceBuild::privateCopy(const std::string& stem,
                                                const std::string& wavPath) {
    std::string name = (fs::temp_directory_path() / "quorl-voice-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) {
        problem_ = "no private folder can be made: " + std::string(std::strerror(errno));
        return std::nullopt;
    }
    const fs::path work = name;
    workFolders_.push_back(work);
    removedOnSignal_.push_back(std::make_unique<TemporaryOnSignal>(work));

    // The recording as it is now, under the name the stream is to go by.
    std::error_code ec;
    fs::create_directory(work / "WavIn", ec);
    const fs::path wav = work / "WavIn" / (stem + ".wav");
    if (ec || !fs::copy_file(wavPath, wav, ec) || ec) {
        problem_ = wavPath + ": " + (ec ? ec.message() : "cannot be copied");
        return std::nullopt;
    }
    return wav;
}

std::optional<fs::path> VoiceBuild::build(int slot, const std::string& wavPath) {
    // The library writes where it is told without further checks; the user's folder
    // must be the user's own.
    std::string problem;
    if (!ensurePrivateFolder(folder_, problem))
        return std::nullopt;
    const auto wav = privateCopy(slotFileStem(slot), wavPath);
    if (!wav)
        return std::nullopt;
    std::optional<fs::path> stream;
    {
        const std::lock_guard lock(libraryInUse);
        stream = compress(*wav, kDownloadCompressionType, kDownloadSrType);
    }
    if (stream && *stream != slotStreamPath(wav->parent_path().parent_path(), slot))
        stream.reset();
    if (stream)
        leaveForUser(wav->parent_path().parent_path(), *stream, slot);
    return stream;
}

std::optional<HeardStream> VoiceBuild::hear(const std::string& wavPath, int compressionType,
                                            int srType) {
    problem_.clear();
    const auto wav = privateCopy(fs::path(wavPath).stem().string(), wavPath);
    if (!wav)
        return std::nullopt;
    const std::lock_guard lock(libraryInUse);
    const auto stream = compress(*wav, compressionType, srType);
    if (!stream) {
        if (problem_.empty())
            problem_ = "the voice library wrote no stream";
        return std::nullopt;
    }
    return decode(*stream);
}

std::optional<HeardStream> VoiceBuild::decode(const fs::path& stream) {
    std::string contents, why;
    bool tooLarge = false;
    if (!readSmallFile(stream, std::size_t{16} << 20, contents, why, tooLarge)) {
        problem_ = why;
        return std::nullopt;
    }
    if (library_.VQ4DecodeStream == nullptr) {
        problem_ = library_.path() + ": this voice library has no decoder (VQ4DecodeStream)";
        return std::nullopt;
    }
    HeardStream heard;
    heard.stream.assign(contents.begin(), contents.end());
    heard.codecTag = codecTag_;
    const auto* bytes = heard.stream.data();
    const auto size = static_cast<std::int32_t>(heard.stream.size());
    std::int32_t count = 0;
    std::int32_t rate = 0;
    if (library_.VQ4DecodeStream(bytes, size, nullptr, 0, &count, &rate) != 1) {
        problem_ = "the voice library cannot decode the stream it wrote";
        return std::nullopt;
    }
    heard.samples.resize(static_cast<std::size_t>(count));
    library_.VQ4DecodeStream(bytes, size, heard.samples.data(), count, &count, &rate);
    heard.sampleRate = rate;
    return heard;
}

std::optional<fs::path> VoiceBuild::compress(const fs::path& wav, int compressionType, int srType) {
    const fs::path work = wav.parent_path().parent_path();
    // 1. The configuration, written whole.
    const fs::path cfg = work / "BuildIMG.cfg";
    const std::string text = buildConfigText(work, wav.string());
    if (!writeFileAtomically(cfg, std::as_bytes(std::span(text.data(), text.size()))))
        return std::nullopt;

    // 2. A fresh copy of the library.
    const bool loaded = libraryPath_.empty() ? library_.load() : library_.loadFrom(libraryPath_);
    if (!loaded) {
        problem_ = "cannot load the voice library: " + library_.error();
        return std::nullopt;
    }
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

    // 4. One request per wave; the recording's stream is always compressed afresh.
    const auto waves = ini.readList("VPWaveList", "VW_", 255);
    std::vector<PromptRequest> requests(waves.size());
    for (std::size_t i = 0; i < waves.size(); ++i) {
        PromptRequest& r = requests[i];
        r.index = static_cast<std::int32_t>(i);
        copyText(r.sourcePath, sizeof r.sourcePath, waves[i]);
        const std::string name = fs::path(waves[i]).stem().string();
        copyText(r.codecTag, sizeof r.codecTag,
                 (fs::path(config.binDir) / (name + ".bin")).string());
        r.srType = i == 0 ? srType : kDownloadSrType;
        r.compressionType = i == 0 ? compressionType : kDownloadCompressionType;
    }

    // Compress every wave, build the download image from the streams, free the library.
    // A fresh folder holds no earlier stream, resampled copy or check WAV, so the
    // recording is always compressed afresh.
    for (auto& r : requests)
        library_.VQ4CompressVoice(r.sourcePath, r.streamPath, r.codecTag, &r.compressedSize,
                                  r.srType, r.compressionType);
    library_.VQ4CreateDownloadFile(static_cast<std::int32_t>(requests.size()), requests.data());
    library_.VQ4FreeAll();
    if (requests.empty() || requests[0].compressedSize <= 0)
        return std::nullopt;
    codecTag_ = boundedTag(requests[0].codecTag);
    // Only a stream the library wrote into this build's own folder is taken.
    const fs::path stream = requests[0].streamPath;
    std::error_code ec;
    if (stream.parent_path() != work / "BinFiles" || !fs::is_regular_file(stream, ec))
        return std::nullopt;
    return stream;
}

void VoiceBuild::leaveForUser(const fs::path& work, const fs::path& stream, int slot) {
    // Only a copy: what is sent is read from the private folder, whatever happens here.
    const BuildFolderLock lock(folder_);
    if (!lock.held())
        return;
    // Through descriptors of the folder checked, as audio compress writes: a link at
    // BinFiles or at a file's name is refused, never followed or reused.
    std::string problem;
    const int own = openOwnFolder(folder_, problem);
    if (own < 0)
        return;
    const int bin = openOwnSubfolder(own, "BinFiles", (folder_ / "BinFiles").string(), problem);
    const fs::path shown = slotStreamPath(folder_, slot);
    const struct {
        fs::path from;
        int folder;
        fs::path to;
    } copies[] = {{work / "BuildIMG.cfg", own, folder_ / "BuildIMG.cfg"}, {stream, bin, shown}};
    for (const auto& copy : copies) {
        std::string contents;
        bool tooLarge = false;
        if (copy.folder >= 0 && readSmallFile(copy.from, 1 << 20, contents, problem, tooLarge))
            writeFileAtomicallyAt(copy.folder, copy.to.filename().string(),
                                  std::as_bytes(std::span(contents.data(), contents.size())),
                                  copy.to);
    }
    if (bin >= 0)
        ::close(bin);
    ::close(own);
}

} // namespace quorl
