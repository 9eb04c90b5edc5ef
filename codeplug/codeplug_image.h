#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace quorl {

// A pager memory address inside the codeplug image.
using Address = std::uint32_t;

inline constexpr std::size_t kImageSize = 0x4000;

// The pager's 16 KB configuration memory, byte n at address n. Every access is
// bounds-checked: an address past 0x3FFF is a programming error and throws, so a
// corrupt count in an image can never make us read or write outside it.
class CodeplugImage {
public:
    using Bytes = std::array<std::uint8_t, kImageSize>;

    std::uint8_t at(Address a) const { return bytes_.at(a); }
    void set(Address a, std::uint8_t v) { bytes_.at(a) = v; }

    // 16-bit value, low byte first (channel words and tones).
    std::uint16_t u16le(Address a) const;
    void setU16le(Address a, std::uint16_t v);

    // 32-bit value, most significant byte first (the intermediate frequency).
    std::uint32_t u32be(Address a) const;

    // ASCII text of at most `width` characters that ends early at the first 0xFF.
    std::string text(Address a, std::size_t width) const;

    // Copies `length` bytes inside the image (used for the mirror).
    void copyWithin(Address from, Address to, std::size_t length);

    // Sum modulo 256 of `length` bytes from `a`.
    std::uint8_t sum(Address a, std::size_t length) const;

    std::span<const std::uint8_t, kImageSize> bytes() const { return bytes_; }
    std::span<std::uint8_t, kImageSize> bytes() { return bytes_; }

    void clear() { bytes_.fill(0); }

    friend bool operator==(const CodeplugImage&, const CodeplugImage&) = default;

private:
    Bytes bytes_{};
};

} // namespace quorl
