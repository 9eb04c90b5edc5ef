#pragma once

#include "codeplug/codeplug_image.h"
#include "codeplug/codeplug_layout.h"

#include <cstdint>
#include <type_traits>

namespace quorl {

// One tone as stored: tenths of a hertz plus the two bytes the pager's tone
// decoder derives from it.
struct StoredTone {
    std::uint16_t tenthsHz = 0;
    std::uint8_t cycleCount = 0;
    std::uint8_t periodPreset = 0;
    friend bool operator==(const StoredTone&, const StoredTone&) = default;
};

// Which tone of a channel: tone 1 or tone 2 of call address 1..10, or the single
// tone of group call 1..5.
enum class ToneKind : std::uint8_t { Tone1, Tone2, Group };
struct ToneSlot {
    ToneKind kind = ToneKind::Tone1;
    int index = 1;
    friend bool operator==(const ToneSlot&, const ToneSlot&) = default;
};

// The fifteen entries of a channel in screen order: rows 0..9 are call addresses
// 1..10, rows 10..14 group calls 1..5.
inline constexpr int kCallCount = 10;
inline constexpr int kGroupCount = 5;
inline constexpr int kEntryRows = kCallCount + kGroupCount;

// Flags byte shared by call addresses and group calls.
struct CallFlags {
    static std::uint8_t alert(std::uint8_t f) { return f & 0x0F; }
    static bool onDuty(std::uint8_t f) { return (f & 0x10) != 0; }
    static bool pulsedVibrate(std::uint8_t f) { return (f & 0x20) != 0; }
};

// Where each field of a channel block lies, from the block's start (docs/layout/channel.md).
namespace channel_offset {
inline constexpr Address kSynthWord = 0x02; // 16 bits, low byte first
inline constexpr Address kFraction = 0x04;
inline constexpr Address kStepAndBandwidth = 0x05; // bits 0-1 step code, bit 4 wide
inline constexpr Address kCodingOption = 0x06;
inline constexpr Address kSquelchLevel = 0x07;
inline constexpr Address kFalsing = 0x08;
inline constexpr Address kToneSystemAndReset = 0x09; // bits 0-2 system, 4-6 reset function
inline constexpr Address kResetTimer = 0x0A;
inline constexpr Address kCalls = 0x10; // call addresses 1..10
inline constexpr Address kCallSize = 10;
inline constexpr Address kGroups = 0x74; // group calls 1..5
inline constexpr Address kGroupSize = 6;
} // namespace channel_offset

// Typed view over a 160-byte channel block. BasicChannelBlock<true> may write.
template <bool Writable> class BasicChannelBlock {
    using ImageRef = std::conditional_t<Writable, CodeplugImage&, const CodeplugImage&>;

public:
    BasicChannelBlock(ImageRef image, int channel)
        : image_(image), base_(layout::channelBase(channel)) {}

    Address base() const { return base_; }

    std::uint8_t lengthByte() const { return image_.at(base_); }
    std::uint16_t synthWord() const { return image_.u16le(base_ + channel_offset::kSynthWord); }
    std::uint8_t fraction() const { return image_.at(base_ + channel_offset::kFraction); }
    std::uint8_t stepCode() const {
        return image_.at(base_ + channel_offset::kStepAndBandwidth) & 0x03;
    }
    bool wideBandwidth() const {
        return (image_.at(base_ + channel_offset::kStepAndBandwidth) & 0x10) != 0;
    }
    std::uint8_t codingOption() const { return image_.at(base_ + channel_offset::kCodingOption); }
    std::uint8_t squelchLevel() const { return image_.at(base_ + channel_offset::kSquelchLevel); }
    std::uint8_t falsingByte() const { return image_.at(base_ + channel_offset::kFalsing); }
    std::uint8_t toneSystem() const {
        return image_.at(base_ + channel_offset::kToneSystemAndReset) & 0x07;
    }
    std::uint8_t resetFunction() const {
        return (image_.at(base_ + channel_offset::kToneSystemAndReset) >> 4) & 0x07;
    }
    std::uint8_t resetTimer() const { return image_.at(base_ + channel_offset::kResetTimer); }

    // Call addresses 1..10: two tones each.
    static Address callOffset(int call) {
        return channel_offset::kCalls + channel_offset::kCallSize * static_cast<Address>(call - 1);
    }
    StoredTone callTone(int call, int tone) const {
        const Address e = base_ + callOffset(call);
        const Address derived = e + 4 + 2 * static_cast<Address>(tone - 1);
        return {image_.u16le(e + 2 * static_cast<Address>(tone - 1)), image_.at(derived),
                image_.at(derived + 1)};
    }
    std::uint8_t callFlags(int call) const { return image_.at(base_ + callOffset(call) + 8); }

    // Group calls 1..5: one tone each.
    static Address groupOffset(int group) {
        return channel_offset::kGroups +
               channel_offset::kGroupSize * static_cast<Address>(group - 1);
    }
    StoredTone groupTone(int group) const {
        const Address e = base_ + groupOffset(group);
        return {image_.u16le(e), image_.at(e + 2), image_.at(e + 3)};
    }
    std::uint8_t groupFlags(int group) const { return image_.at(base_ + groupOffset(group) + 4); }

    StoredTone tone(ToneSlot s) const {
        switch (s.kind) {
        case ToneKind::Tone1:
            return callTone(s.index, 1);
        case ToneKind::Tone2:
            return callTone(s.index, 2);
        case ToneKind::Group:
            break;
        }
        return groupTone(s.index);
    }
    std::uint8_t entryFlags(int row) const {
        return row < kCallCount ? callFlags(row + 1) : groupFlags(row - kCallCount + 1);
    }

    void setLengthByte(std::uint8_t v) requires Writable { image_.set(base_, v); }
    void setFrequencyWord(std::uint16_t w, std::uint8_t f,
                          std::uint8_t stepCode) requires Writable {
        image_.setU16le(base_ + channel_offset::kSynthWord, w);
        image_.set(base_ + channel_offset::kFraction, f);
        const auto keep =
            static_cast<std::uint8_t>(image_.at(base_ + channel_offset::kStepAndBandwidth) & ~0x03);
        image_.set(base_ + channel_offset::kStepAndBandwidth,
                   static_cast<std::uint8_t>(keep | (stepCode & 0x03)));
    }
    void setWideBandwidth(bool wide) requires Writable {
        const auto keep =
            static_cast<std::uint8_t>(image_.at(base_ + channel_offset::kStepAndBandwidth) & ~0x10);
        image_.set(base_ + channel_offset::kStepAndBandwidth,
                   static_cast<std::uint8_t>(keep | (wide ? 0x10 : 0)));
    }
    void setCodingOption(std::uint8_t v) requires Writable {
        image_.set(base_ + channel_offset::kCodingOption, v);
    }
    void setSquelchLevel(std::uint8_t v) requires Writable {
        image_.set(base_ + channel_offset::kSquelchLevel, v);
    }
    void setToneSystemAndReset(std::uint8_t system, std::uint8_t reset) requires Writable {
        const auto keep = static_cast<std::uint8_t>(
            image_.at(base_ + channel_offset::kToneSystemAndReset) & 0x88);
        image_.set(base_ + channel_offset::kToneSystemAndReset,
                   static_cast<std::uint8_t>(keep | (system & 0x07) | ((reset & 0x07) << 4)));
    }
    // The tone system combo and the reset function combo each own their bit group
    // of byte 9 and clear the unused bits 3 and 7.
    void setToneSystem(std::uint8_t system) requires Writable {
        const auto keep = static_cast<std::uint8_t>(
            image_.at(base_ + channel_offset::kToneSystemAndReset) & 0x70);
        image_.set(base_ + channel_offset::kToneSystemAndReset,
                   static_cast<std::uint8_t>(keep | (system & 0x07)));
    }
    void setResetFunction(std::uint8_t reset) requires Writable {
        const auto keep = static_cast<std::uint8_t>(
            image_.at(base_ + channel_offset::kToneSystemAndReset) & 0x07);
        image_.set(base_ + channel_offset::kToneSystemAndReset,
                   static_cast<std::uint8_t>(keep | ((reset & 0x07) << 4)));
    }
    void setResetTimer(std::uint8_t v) requires Writable {
        image_.set(base_ + channel_offset::kResetTimer, v);
    }
    void setCallTone(int call, int tone, const StoredTone& t) requires Writable {
        const Address e = base_ + callOffset(call);
        const Address derived = e + 4 + 2 * static_cast<Address>(tone - 1);
        image_.setU16le(e + 2 * static_cast<Address>(tone - 1), t.tenthsHz);
        image_.set(derived, t.cycleCount);
        image_.set(derived + 1, t.periodPreset);
    }
    void setCallFlags(int call, std::uint8_t flags) requires Writable {
        image_.set(base_ + callOffset(call) + 8, flags);
    }
    void setGroupTone(int group, const StoredTone& t) requires Writable {
        const Address e = base_ + groupOffset(group);
        image_.setU16le(e, t.tenthsHz);
        image_.set(e + 2, t.cycleCount);
        image_.set(e + 3, t.periodPreset);
    }
    void setGroupFlags(int group, std::uint8_t flags) requires Writable {
        image_.set(base_ + groupOffset(group) + 4, flags);
    }
    void setTone(ToneSlot s, const StoredTone& t) requires Writable {
        if (s.kind == ToneKind::Group)
            setGroupTone(s.index, t);
        else
            setCallTone(s.index, s.kind == ToneKind::Tone1 ? 1 : 2, t);
    }
    void setEntryFlags(int row, std::uint8_t flags) requires Writable {
        if (row < kCallCount)
            setCallFlags(row + 1, flags);
        else
            setGroupFlags(row - kCallCount + 1, flags);
    }
    void setFalsingByte(std::uint8_t v) requires Writable {
        image_.set(base_ + channel_offset::kFalsing, v);
    }

private:
    ImageRef image_;
    Address base_;
};

using ChannelBlock = BasicChannelBlock<true>;
using ConstChannelBlock = BasicChannelBlock<false>;

} // namespace quorl
