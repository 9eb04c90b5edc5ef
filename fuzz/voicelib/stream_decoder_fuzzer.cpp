// The stream decoder on arbitrary streams (the tools and tests play streams
// back with it).
#include "voicelib/stream_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorl::vq4::decodeStream(data, size);
    return 0;
}
