#include "voicelib/message_chain.h"

#include <algorithm>

namespace quorl::vq4 {

std::uint32_t messageSectorCount(std::size_t bytes) {
    const std::size_t n = (bytes + kMessageSectorContent - 1) / kMessageSectorContent;
    return static_cast<std::uint32_t>(std::max<std::size_t>(n, 1));
}

std::vector<std::uint8_t> messageSectors(const std::vector<std::uint8_t>& stream,
                                         std::uint32_t firstSector, std::uint32_t sectors) {
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t{sectors} * 4096);
    const std::uint32_t used = stream.empty() ? 0 : messageSectorCount(stream.size());
    for (std::uint32_t s = 0; s < sectors; ++s) {
        const std::size_t from = std::size_t{s} * kMessageSectorContent;
        const bool holdsMessage = s < used;
        const std::size_t bytes =
            holdsMessage ? std::min<std::size_t>(kMessageSectorContent, stream.size() - from) : 0;
        const std::uint32_t next = holdsMessage && s + 1 < used ? firstSector + s + 1 : 0xFFFF;
        out.push_back(!holdsMessage ? kMessageEmpty : s == 0 ? kMessageFirst : kMessageFollowing);
        out.push_back(static_cast<std::uint8_t>(next & 0xFF));
        out.push_back(static_cast<std::uint8_t>(next >> 8));
        out.push_back(static_cast<std::uint8_t>(bytes & 0xFF));
        out.push_back(static_cast<std::uint8_t>(bytes >> 8));
        // Empty slots past the message take nothing from the stream: not even an
        // iterator into it may be formed there.
        if (bytes > 0) {
            const auto begin = stream.begin() + static_cast<std::ptrdiff_t>(from);
            out.insert(out.end(), begin, begin + static_cast<std::ptrdiff_t>(bytes));
        }
        out.resize(std::size_t{s + 1} * 4096, 0xFF);
    }
    return out;
}

} // namespace quorl::vq4
