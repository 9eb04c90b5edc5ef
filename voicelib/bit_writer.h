#pragma once

#include <cstdint>
#include <vector>

namespace quorl::vq4 {

// Packs codes most significant bit first into bytes filled from bit 7 down; a
// byte goes out as soon as it is full and codes run on across byte boundaries.
class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    // Appends the low `bits` bits of `code` (at most 24).
    void put(std::uint32_t code, int bits) {
        acc_ = (acc_ << bits) | (code & ((1u << bits) - 1u));
        filled_ += bits;
        while (filled_ >= 8) {
            filled_ -= 8;
            out_.push_back(static_cast<std::uint8_t>(acc_ >> filled_));
        }
        acc_ &= (1u << filled_) - 1u;
    }
    // Bits already in the byte being filled (0 when aligned).
    int filledBits() const { return filled_; }
    // The byte being filled as it would be written now, free bits 0.
    std::uint8_t partialByte() const { return static_cast<std::uint8_t>(acc_ << (8 - filled_)); }
    // Writes the partly filled byte as it is.
    void flushPartial() {
        if (filled_ > 0)
            put(0, 8 - filled_);
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint32_t acc_ = 0;
    int filled_ = 0;
};

// Reads codes packed as BitWriter writes them.
class BitReader {
public:
    BitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool canRead(int bits) const { return bitPos_ + static_cast<std::size_t>(bits) <= size_ * 8; }
    std::uint32_t get(int bits) {
        std::uint32_t v = 0;
        for (int i = 0; i < bits; ++i) {
            const std::uint8_t byte = data_[bitPos_ >> 3];
            v = (v << 1) | ((byte >> (7 - (bitPos_ & 7))) & 1u);
            ++bitPos_;
        }
        return v;
    }
    void alignToByte() { bitPos_ = (bitPos_ + 7) & ~static_cast<std::size_t>(7); }
    bool atEnd() const { return bitPos_ >= size_ * 8; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t bitPos_ = 0;
};

} // namespace quorl::vq4
