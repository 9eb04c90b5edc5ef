#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorl {

// The bytes of a 16-bit mono PCM WAV file holding `samples` at `rate` Hz: the
// canonical 44-byte header, then the samples little-endian, every one as it is.
std::vector<std::byte> pcmWavBytes(const std::vector<std::int16_t>& samples, int rate);

// The samples as 16-bit little-endian bytes without a header, as a sound output takes them.
std::vector<std::uint8_t> pcmBytes(const std::vector<std::int16_t>& samples);

} // namespace quorl
