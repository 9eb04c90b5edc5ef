#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace quorl {

inline constexpr std::size_t kMailboxSize = 82;

// Reply status values.
inline constexpr std::uint8_t kStatusNone = 0x00;
inline constexpr std::uint8_t kStatusData = 0xFF;
inline constexpr std::uint8_t kStatusAck = 0xAC;

// What the reply parser hands to the exchange. The parser writes the bytes before it
// writes the status, and the watcher sets the drain event only after that, so an
// exchange that woke on the event and sees a status also sees the bytes.
struct ReplyMailbox {
    std::array<std::uint8_t, kMailboxSize> bytes{};
    std::atomic<std::uint8_t> status{kStatusNone};
    // Whole replies received, NAKs included: tells an exchange how many answers came
    // since it sent its frame, so an answer to an earlier frame is never taken for its own.
    std::atomic<std::uint32_t> delivered{0};
    // NAKs among them.
    std::atomic<std::uint32_t> refused{0};
};

// Which pager operation runs; the reply parser treats replies differently during a
// custom-audio download.
enum class OperationSelector : std::uint8_t {
    None = 0,
    CodeplugRead = 1,
    CodeplugWrite = 2,
    CustomAudioDownload = 3,
};

} // namespace quorl
