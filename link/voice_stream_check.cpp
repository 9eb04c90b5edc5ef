#include "link/voice_stream_check.h"

#include "link/page_file.h"

#include <cstdio>

namespace quorl {

std::size_t pagesForStream(std::size_t length) {
    return (length + kStreamBlock - 1) / kStreamBlock;
}

std::optional<std::string> voiceStreamProblem(std::span<const std::uint8_t> stream) {
    if (stream.empty())
        return "empty";
    if (stream.size() == 1)
        return "no sound after the configuration byte";
    const std::size_t pages = pagesForStream(stream.size());
    if (pages > kPagesPerSlot)
        return std::to_string(pages) + " pages, more than a slot holds";
    for (std::size_t j = 0; j < pages; ++j) {
        const std::uint8_t b = stream[j * kStreamBlock];
        if (b != kSlotStreamConfiguration) {
            char text[64];
            std::snprintf(text, sizeof text, "block %zu begins with 0x%02X, not 0x%02X", j + 1,
                          static_cast<unsigned>(b),
                          static_cast<unsigned>(kSlotStreamConfiguration));
            return std::string(text);
        }
    }
    return std::nullopt;
}

} // namespace quorl
