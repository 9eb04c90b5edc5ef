// WAV bytes of any content through the custom audio check.
#include "audio/wav_check.h"
#include "fuzz/fuzz_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto r = quorl::checkWav(quorl::fuzz::inputFile("check.wav", data, size));
    if (r.playBuffer.size() > quorl::kMaxRiffSize)
        std::abort();
    return 0;
}
