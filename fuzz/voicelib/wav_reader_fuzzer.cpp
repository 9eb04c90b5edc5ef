// The library's own chunk-walking WAV reader on arbitrary bytes.
#include "fuzz/fuzz_file.h"
#include "voicelib/wav_reader.h"

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = quorl::fuzz::inputFile("reader.wav", data, size).string();
    quorl::vq4::OpenedWav wav;
    if (quorl::vq4::openWavForCompression(path, wav)) {
        std::uint8_t buf[4096];
        while (std::fread(buf, 1, sizeof buf, wav.file.get()) == sizeof buf) {
        }
    }
    return 0;
}
