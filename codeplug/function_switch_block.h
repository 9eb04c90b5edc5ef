#pragma once

#include "codeplug/codeplug_image.h"
#include "codeplug/codeplug_layout.h"

#include <cstdint>
#include <type_traits>

namespace quorl {

// The stored mode codes of a function switch; a code is also the index of its
// name in texts::kSwitchModes.
namespace switch_mode {
inline constexpr int kSelectiveCallF1 = 0; // .. 4 Selective Call F5
inline constexpr int kSelectiveCallF5 = 4;
inline constexpr int kMonitorF1 = 5; // .. 9 Monitor F5
inline constexpr int kMonitorF5 = 9;
inline constexpr int kProbabilityScan = 10;
inline constexpr int kPriorityScan = 11;
inline constexpr int kSilentScan = 12;
inline constexpr int kDisabled = 13;
inline constexpr int kHighest = kDisabled;

constexpr bool isSelectiveCall(int code) {
    return code >= kSelectiveCallF1 && code <= kSelectiveCallF5;
}
constexpr bool isMonitor(int code) {
    return code >= kMonitorF1 && code <= kMonitorF5;
}
// The three scan modes use the two scan channels.
constexpr bool isScan(int code) {
    return code >= kProbabilityScan && code <= kSilentScan;
}
// Monitor, Probability Scan and Priority Scan have no ON/OFF Duty or Push To Listen.
constexpr bool withoutDutyAndListen(int code) {
    return code >= kMonitorF1 && code <= kPriorityScan;
}
} // namespace switch_mode

// Alert type codes of a switch entry (2 is not used).
namespace switch_alert {
inline constexpr int kTone = 0;
inline constexpr int kVibrate = 1;
inline constexpr int kToneAndVibrate = 3;
} // namespace switch_alert

// Announcement codes of a switch entry (3 is not used).
namespace switch_announcement {
inline constexpr int kEnhanced = 0;
inline constexpr int kCustom = 1;
inline constexpr int kStandard = 2;
} // namespace switch_announcement

inline constexpr int kSwitchCount = 8;

// Typed view over one 6-byte function switch entry, SW-A (0) to SW-H (7).
// Bytes +4 and +5 and bit 7 of byte +0 are carried unchanged.
template <bool Writable> class BasicSwitchEntry {
    using ImageRef = std::conditional_t<Writable, CodeplugImage&, const CodeplugImage&>;

public:
    BasicSwitchEntry(ImageRef image, int k) : image_(image), base_(address(k)) {}

    static constexpr Address address(int k) {
        return layout::kFunctionSwitchesBlock + 2 + 6 * static_cast<Address>(k);
    }
    Address base() const { return base_; }

    std::uint8_t modeByte() const { return image_.at(base_); }
    std::uint8_t optionByte() const { return image_.at(base_ + 3); }
    int mode() const { return modeByte() & 0x0F; }
    int alertType() const { return (modeByte() >> 4) & 0x07; }
    std::uint8_t scan1() const { return image_.at(base_ + 1); }
    std::uint8_t scan2() const { return image_.at(base_ + 2); }
    bool dutyEnabled() const { return (optionByte() & 0x01) != 0; }
    bool pushToListen() const { return (optionByte() & 0x02) != 0; }
    int announcement() const { return (optionByte() >> 4) & 0x03; }

    void setModeByte(std::uint8_t v) requires Writable { image_.set(base_, v); }
    void setOptionByte(std::uint8_t v) requires Writable { image_.set(base_ + 3, v); }
    void setMode(int code) requires Writable {
        setModeByte(static_cast<std::uint8_t>((modeByte() & 0xF0) | (code & 0x0F)));
    }
    void setAlertType(int code) requires Writable {
        setModeByte(static_cast<std::uint8_t>((modeByte() & 0x8F) | ((code & 0x07) << 4)));
    }
    void setScan1(std::uint8_t channel) requires Writable { image_.set(base_ + 1, channel); }
    void setScan2(std::uint8_t channel) requires Writable { image_.set(base_ + 2, channel); }
    void setDutyEnabled(bool on) requires Writable { setOptionBit(0x01, on); }
    void setPushToListen(bool on) requires Writable { setOptionBit(0x02, on); }
    // Bit 2 of the option byte, cleared by some mode changes.
    void clearOptionBit2() requires Writable { setOptionBit(0x04, false); }
    void setAnnouncement(int code) requires Writable {
        setOptionByte(static_cast<std::uint8_t>((optionByte() & 0xCF) | ((code & 0x03) << 4)));
    }

private:
    void setOptionBit(std::uint8_t bit, bool on) requires Writable {
        setOptionByte(static_cast<std::uint8_t>((optionByte() & ~bit) | (on ? bit : 0)));
    }

    ImageRef image_;
    Address base_;
};

using SwitchEntry = BasicSwitchEntry<true>;
using ConstSwitchEntry = BasicSwitchEntry<false>;

// Typed view over the function switch block (0x0280..0x02BF).
template <bool Writable> class BasicFunctionSwitchBlock {
    using ImageRef = std::conditional_t<Writable, CodeplugImage&, const CodeplugImage&>;
    static constexpr Address kBase = layout::kFunctionSwitchesBlock;

public:
    explicit BasicFunctionSwitchBlock(ImageRef image) : image_(image) {}

    std::uint8_t lengthByte() const { return image_.at(kBase); }
    BasicSwitchEntry<Writable> entry(int k) const { return {image_, k}; }
    bool anyInMode(int code) const {
        for (int k = 0; k < kSwitchCount; ++k)
            if (entry(k).mode() == code)
                return true;
        return false;
    }

    void setLengthBytes() requires Writable {
        image_.set(kBase, layout::kFunctionSwitchesLength);
        image_.set(kBase + 1, 0x00);
    }

private:
    ImageRef image_;
};

using FunctionSwitchBlock = BasicFunctionSwitchBlock<true>;
using ConstFunctionSwitchBlock = BasicFunctionSwitchBlock<false>;

} // namespace quorl
