#pragma once

#include "voicelib/bit_writer.h"
#include "voicelib/codec_types.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace quorl::vq4 {

// Turns 16-bit samples into one compressed stream, a piece at a time, and
// hands back what the pager's decoder will play (the check WAV's samples).
class StreamEncoder {
public:
    StreamEncoder(const CodecInfo& codec, int srType);
    virtual ~StreamEncoder() = default;
    StreamEncoder(const StreamEncoder&) = delete;
    StreamEncoder& operator=(const StreamEncoder&) = delete;

    // How many samples each call should get: one block, or a run of frames.
    virtual std::size_t chunkSamples() const = 0;
    // Encodes n samples (n <= chunkSamples()); decoded gets n samples.
    virtual void encode(const std::int16_t* in, std::size_t n, std::int16_t* decoded) = 0;

    // Whole bytes produced so far and not yet taken. A partly filled byte stays
    // behind; at the end of the stream it is never written.
    std::vector<std::uint8_t> takeBytes();

protected:
    CodecInfo codec_;
    std::uint8_t configByte_;
    std::vector<std::uint8_t> bytes_;
    BitWriter writer_{bytes_};
};

std::unique_ptr<StreamEncoder> makeStreamEncoder(const CodecInfo& codec, int srType);

// Convenience for tests and benchmarks: the whole stream of `samples`, with the
// decoded samples in `decoded`.
std::vector<std::uint8_t> encodeStream(const CodecInfo& codec, int srType,
                                       const std::vector<std::int16_t>& samples,
                                       std::vector<std::int16_t>& decoded);

} // namespace quorl::vq4
