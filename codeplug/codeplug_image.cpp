#include "codeplug/codeplug_image.h"

#include <algorithm>
#include <stdexcept>

namespace quorl {

namespace {
void requireRange(Address a, std::size_t length) {
    if (a > kImageSize || length > kImageSize - a)
        throw std::out_of_range("codeplug address range outside the image");
}
} // namespace

std::uint16_t CodeplugImage::u16le(Address a) const {
    requireRange(a, 2);
    return static_cast<std::uint16_t>(bytes_[a] | (bytes_[a + 1] << 8));
}

void CodeplugImage::setU16le(Address a, std::uint16_t v) {
    requireRange(a, 2);
    bytes_[a] = static_cast<std::uint8_t>(v & 0xFF);
    bytes_[a + 1] = static_cast<std::uint8_t>(v >> 8);
}

std::uint32_t CodeplugImage::u32be(Address a) const {
    requireRange(a, 4);
    return (std::uint32_t{bytes_[a]} << 24) | (std::uint32_t{bytes_[a + 1]} << 16) |
           (std::uint32_t{bytes_[a + 2]} << 8) | std::uint32_t{bytes_[a + 3]};
}

std::string CodeplugImage::text(Address a, std::size_t width) const {
    requireRange(a, width);
    std::string out;
    for (std::size_t i = 0; i < width; ++i) {
        const auto c = bytes_[a + i];
        if (c == 0xFF || c == 0x00) // 0x00 would end the text in any C string too
            break;
        out.push_back(static_cast<char>(c));
    }
    return out;
}

void CodeplugImage::copyWithin(Address from, Address to, std::size_t length) {
    requireRange(from, length);
    requireRange(to, length);
    std::copy_n(bytes_.begin() + from, length, bytes_.begin() + to);
}

std::uint8_t CodeplugImage::sum(Address a, std::size_t length) const {
    requireRange(a, length);
    unsigned total = 0;
    for (std::size_t i = 0; i < length; ++i)
        total += bytes_[a + i];
    return static_cast<std::uint8_t>(total & 0xFF);
}

} // namespace quorl
