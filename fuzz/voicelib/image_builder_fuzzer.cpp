// The image builders on fuzzed records: macro command bytes, request fields
// (types, rates, sizes, texts without terminators) and extra entries, with the
// prompts' stream files present so whole images are laid out.
#include "fuzz/fuzz_file.h"
#include "voicelib/download_requests.h"
#include "voicelib/image_builder.h"
#include "voicelib/project_state.h"
#include "voicelib/vq4.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
    std::uint8_t byte() { return pos < size ? data[pos++] : 0; }
    std::int32_t i32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(byte()) << (8 * i);
        return static_cast<std::int32_t>(v);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace fs = std::filesystem;
    static const std::string project = "/tmp/quorl-fuzz-image-" + std::to_string(::getpid());
    ProjectConfig config{};
    std::snprintf(config.projectDir, sizeof config.projectDir, "%s", project.c_str());
    std::snprintf(config.memFileName, sizeof config.memFileName, "%s/img.mem", project.c_str());
    config.clockConfigurationByte = 0x24;
    config.clockInputFrequency = 4096000;
    quorl::vq4::openProject(config);
    std::error_code ec;
    fs::create_directories(project + "/WavSrc", ec);

    Reader in{data, size};
    // Up to three prompts with small stream files.
    std::vector<PromptRequest> requests(in.byte() % 4);
    for (std::size_t i = 0; i < requests.size(); ++i) {
        PromptRequest& r = requests[i];
        const std::string name = "p" + std::to_string(i);
        std::snprintf(r.sourcePath, sizeof r.sourcePath, "/src/%s.wav", name.c_str());
        r.srType = static_cast<std::int8_t>(in.byte()) % 9 - 2;
        r.compressionType = static_cast<std::int8_t>(in.byte()) % 34 - 2;
        const std::size_t streamSize = in.byte() * 37u;
        std::vector<std::uint8_t> stream(streamSize, 0x64);
        for (const char* tag : {"ADPCM14-4-1", "ADPCM14-4-E2", "PCM8"}) {
            const std::string path = project + "/BinFiles/" + name + "_8000_" + tag + ".bin";
            FILE* f = std::fopen(path.c_str(), "wb");
            if (f) {
                std::fwrite(stream.data(), 1, stream.size(), f);
                std::fclose(f);
            }
        }
        if (in.byte() & 1) // an unterminated text
            std::memset(r.sourcePath, 'a', sizeof r.sourcePath);
    }
    // Macro blocks whose command bytes are the rest of the input.
    std::vector<VoiceMacroBlock> macros(in.byte() % 3);
    std::vector<std::vector<std::uint8_t>> macroData(macros.size());
    for (std::size_t i = 0; i < macros.size(); ++i) {
        macros[i].number = static_cast<std::int8_t>(in.byte()) % 12;
        std::memset(macros[i].name, 'm', sizeof macros[i].name); // no terminator at all
        macroData[i].resize(in.byte() % 16);
        for (auto& b : macroData[i])
            b = in.byte();
        macros[i].length = static_cast<std::int32_t>(macroData[i].size());
        macros[i].data = macroData[i].data();
    }
    std::vector<PromptRequest> extras(in.byte() % 3);
    for (auto& e : extras) {
        static const std::uint8_t kKinds[] = {0, 4, 32, 64, 7};
        e.kind = kKinds[in.byte() % 5];
        e.compressedSize = in.i32() % (1 << 20);
        std::snprintf(e.sourcePath, sizeof e.sourcePath, "%s/WavSrc/x.dat", project.c_str());
    }
    const std::string rest(reinterpret_cast<const char*>(data + std::min(in.pos, size)),
                           size - std::min(in.pos, size));
    {
        FILE* f = std::fopen((project + "/WavSrc/x.dat").c_str(), "wb");
        if (f) {
            std::fwrite(rest.data(), 1, rest.size(), f);
            std::fclose(f);
        }
    }
    quorl::vq4::loadVoiceMacroBlocks(static_cast<int>(macros.size()), macros.data());
    if (quorl::vq4::loadExtraEntries(static_cast<int>(extras.size()), extras.data())) {
        quorl::vq4::loadPromptRequests(static_cast<int>(requests.size()), requests.data());
        quorl::vq4::buildDownloadImage();
    }
    return 0;
}
