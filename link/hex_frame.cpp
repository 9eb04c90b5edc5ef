#include "link/hex_frame.h"

#include <cstdio>

namespace quorl {

namespace {
std::uint8_t nibble(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<std::uint8_t>(c - 'a' + 10);
    return 0;
}
} // namespace

std::vector<std::uint8_t> hexTextToBytes(std::string_view text) {
    std::string digits;
    digits.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            digits.push_back(c);
    std::vector<std::uint8_t> out;
    out.reserve((digits.size() + 1) / 2);
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const std::uint8_t high = nibble(digits[i]);
        const std::uint8_t low = i + 1 < digits.size() ? nibble(digits[i + 1]) : 0;
        out.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return out;
}

std::vector<std::size_t> hexFramePieces(std::size_t count) {
    std::vector<std::size_t> pieces(count / 8, 8);
    if (count % 8 != 0)
        pieces.push_back(count % 8);
    return pieces;
}

std::string bytesToHexText(std::span<const std::uint8_t> bytes) {
    std::string out;
    out.reserve(bytes.size() * 3);
    char buf[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(bytes[i]));
        if (i != 0)
            out.push_back(' ');
        out += buf;
    }
    return out;
}

} // namespace quorl
