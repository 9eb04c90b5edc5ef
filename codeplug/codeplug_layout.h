#pragma once

#include "codeplug/codeplug_image.h"

namespace quorl::layout {

// Blocks: a length byte L, L data bytes, one checksum byte (sum of the L + 1 before it).
inline constexpr Address kGeneralBlock = 0x0100;
inline constexpr Address kModelOptionsBlock = 0x0200;
inline constexpr Address kFunctionSwitchesBlock = 0x0280;
inline constexpr Address kChannelBlocks = 0x0300;
inline constexpr std::size_t kChannelBlockSize = 0xA0;
inline constexpr int kChannelCount = 5;

inline constexpr std::uint8_t kGeneralLength = 0x5E;
inline constexpr std::uint8_t kModelOptionsLength = 0x5E;
inline constexpr std::uint8_t kFunctionSwitchesLength = 0x3E;
inline constexpr std::uint8_t kChannelLength = 0x9E;

// The model options checksum is also kept at its mirror position.
inline constexpr Address kModelOptionsChecksumMirror = 0x3D5F;

// 0x3C00..0x3D7E mirror 0x0100..0x027E (383 bytes).
inline constexpr Address kMirrorSource = 0x0100;
inline constexpr Address kMirrorTarget = 0x3C00;
inline constexpr std::size_t kMirrorLength = 0x027E - 0x0100 + 1;

// A write refreshes only the model-options part of the mirror.
inline constexpr Address kModelMirrorSource = 0x0200;
inline constexpr Address kModelMirrorTarget = 0x3D00;
inline constexpr std::size_t kModelMirrorLength = 0x027E - 0x0200 + 1;

// The User Data window commits all but the last 36 bytes of the edit image.
inline constexpr std::size_t kCommitLength = 0x3FDC;

// Cancel in the User Data window restores the channel area from the committed image.
inline constexpr Address kChannelArea = 0x0300;
inline constexpr std::size_t kChannelAreaLength = 1024;

constexpr Address channelBase(int channel) {
    return kChannelBlocks + static_cast<Address>(kChannelBlockSize) * static_cast<Address>(channel);
}

} // namespace quorl::layout
