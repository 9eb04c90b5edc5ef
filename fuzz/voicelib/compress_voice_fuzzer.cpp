// A whole VQ4CompressVoice call on fuzzed WAV bytes: libsndfile, resampling,
// the reader, the encoder, the check WAV and the statistics. The last byte
// picks the compression type and SRType so every codec gets its share.
#include "fuzz/fuzz_file.h"
#include "voicelib/project_state.h"
#include "voicelib/voice_compressor.h"
#include "voicelib/vq4.h"

#include <array>
#include <cstdio>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    static const std::array<int, 21> kTypes{-1, 2,  3,  4,  5,  10, 11, 12, 13, 16, 17,
                                            18, 20, 21, 22, 24, 25, 27, 28, 29, 30};
    const int type = kTypes[data[size - 1] % kTypes.size()];
    const int srType = (data[size - 1] >> 5) - 2; // -2 .. 5
    static const std::string project = [] {
        const std::string dir = "/tmp/quorl-fuzz-project-" + std::to_string(::getpid());
        ProjectConfig c{};
        std::snprintf(c.projectDir, sizeof c.projectDir, "%s", dir.c_str());
        c.clockConfigurationByte = 0x24;
        c.clockInputFrequency = 4096000;
        quorl::vq4::openProject(c);
        return dir;
    }();
    const std::string path = quorl::fuzz::inputFile("input.wav", data, size - 1).string();
    // Start every run afresh: nothing may be found up to date.
    std::error_code ec;
    for (const char* sub : {"WavFiles", "BinFiles"}) {
        std::filesystem::remove_all(project + "/" + sub, ec);
        std::filesystem::create_directories(project + "/" + sub, ec);
    }
    quorl::vq4::compressVoice(path, srType, type);
    return 0;
}
