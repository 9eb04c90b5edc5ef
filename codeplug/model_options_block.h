#pragma once

#include "codeplug/codeplug_image.h"
#include "codeplug/codeplug_layout.h"

#include <cstdint>
#include <type_traits>

namespace quorl {

// The option fields of the model options block that are a group of bits in one
// byte. Bits not named by any field are carried unchanged by every setter.
enum class ModelOptionField : std::uint8_t {
    StoredVoiceDuration,   // 0 "15 Sec" .. 4 "Dynamic"
    SwitchAnnouncements,   // 0 Off, 1 On Reset Only, 2 On, 3 On & On Reset
    FixedVolumePageAlert,  //
    FixedAlertDuration,    // the page alert duration mode: 0 Standard, 1 Fixed
    AutoDeletion,          //
    UnreadMessageReminder, //
    Privacy,               //
    AlwaysOn,              //
    MaleAnnouncements,     // 0 Female, 1 Male
    PriorityToneAlert,     //
    BatteryLevelAnnouncement,
};

struct ModelOptionBits {
    Address address;
    std::uint8_t mask;
    int shift;
};

constexpr ModelOptionBits modelOptionBits(ModelOptionField f) {
    constexpr Address kOptions0 = 0x0210, kOptions1 = 0x0211, kOptions2 = 0x0216;
    switch (f) {
    case ModelOptionField::StoredVoiceDuration:
        return {kOptions0, 0x07, 0};
    case ModelOptionField::SwitchAnnouncements:
        return {kOptions0, 0x18, 3};
    case ModelOptionField::FixedVolumePageAlert:
        return {kOptions0, 0x20, 5};
    case ModelOptionField::FixedAlertDuration:
        return {kOptions0, 0x40, 6};
    case ModelOptionField::AutoDeletion:
        return {kOptions0, 0x80, 7};
    case ModelOptionField::UnreadMessageReminder:
        return {kOptions1, 0x10, 4};
    case ModelOptionField::Privacy:
        return {kOptions1, 0x40, 6};
    case ModelOptionField::AlwaysOn:
        return {kOptions1, 0x80, 7};
    case ModelOptionField::MaleAnnouncements:
        return {kOptions2, 0x01, 0};
    case ModelOptionField::PriorityToneAlert:
        return {kOptions2, 0x04, 2};
    case ModelOptionField::BatteryLevelAnnouncement:
        break;
    }
    return {kOptions2, 0x08, 3};
}

// Switch announcement codes whose bit 4 is set ("On", "On & On Reset").
inline constexpr std::uint8_t kSwitchAnnouncementsOnBit = 0x02;
// Stored voice duration code shown as "Dynamic"; higher codes are read as it.
inline constexpr std::uint8_t kStoredVoiceDynamic = 4;

// Typed view over the model options block (0x0200..0x025F).
// BasicModelOptionsBlock<true> may write.
template <bool Writable> class BasicModelOptionsBlock {
    using ImageRef = std::conditional_t<Writable, CodeplugImage&, const CodeplugImage&>;
    static constexpr Address kBase = layout::kModelOptionsBlock;
    static constexpr Address kPriorityScanTime = 0x0212;
    static constexpr Address kAlertDuration = 0x0213;

public:
    explicit BasicModelOptionsBlock(ImageRef image) : image_(image) {}

    std::uint8_t lengthByte() const { return image_.at(kBase); }
    std::uint8_t field(ModelOptionField f) const {
        const auto b = modelOptionBits(f);
        return static_cast<std::uint8_t>((image_.at(b.address) & b.mask) >> b.shift);
    }
    bool isOn(ModelOptionField f) const { return field(f) != 0; }
    // Units of 8 ms.
    std::uint8_t priorityScanTime() const { return image_.at(kPriorityScanTime); }
    // Units of 480 ms, used while the alert duration is Fixed.
    std::uint8_t alertDuration() const { return image_.at(kAlertDuration); }

    // The length byte and the byte after it, as every opening of the tab stores them.
    void setLengthBytes() requires Writable {
        image_.set(kBase, layout::kModelOptionsLength);
        image_.set(kBase + 1, 0x00);
    }
    void setField(ModelOptionField f, std::uint8_t value) requires Writable {
        const auto b = modelOptionBits(f);
        const auto keep = static_cast<std::uint8_t>(image_.at(b.address) & ~b.mask);
        image_.set(b.address, static_cast<std::uint8_t>(keep | ((value << b.shift) & b.mask)));
    }
    void setPriorityScanTime(std::uint8_t v) requires Writable { image_.set(kPriorityScanTime, v); }
    void setAlertDuration(std::uint8_t v) requires Writable { image_.set(kAlertDuration, v); }

private:
    ImageRef image_;
};

using ModelOptionsBlock = BasicModelOptionsBlock<true>;
using ConstModelOptionsBlock = BasicModelOptionsBlock<false>;

} // namespace quorl
