#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

namespace quorl {

class OperationHost;

// Timer identifiers of the dialogs that audition on the pager.
inline constexpr int kChannelAuditionTimer = 1;
inline constexpr int kSwitchAuditionTimer = 6;
inline constexpr int kCustomAudioAuditionTimer = 7;
inline constexpr int kAuditionDurationMs = 4000;

// The auditions-allowed flag and the running audition's start and length. The Play
// Pager buttons act only while the flag is set; the owner's timer sets it again.
struct LinkAuditionState {
    std::atomic<bool> allowed{true};
    std::atomic<long long> startTick{0};
    std::atomic<int> durationMs{0};
};
LinkAuditionState& linkAuditionState();

struct AuditionCommand {
    std::uint8_t command = 0;             // 0xB0, 0xB5 or 0xB6
    std::vector<std::uint8_t> parameters; // one byte, or five for 0xB6
    int durationMs = kAuditionDurationMs;
    int timerId = kChannelAuditionTimer;
};

// Starts the owner dialog's timer (identifier, milliseconds).
using AuditionTimerStart = std::function<void(int timerId, int durationMs)>;

enum class AuditionResult {
    LinkInUse,  // a pager operation holds the link; nothing was touched or shown
    NoPort,     // no cradle, no choice, or Open failed (messages already shown)
    TimedOut,   // Read Error #5
    NotPresent, // Read Error #7
    Started,    // the command went out (acknowledged or not) and the timer runs
};

// The short exchange behind the Play Pager buttons: presence check, then the audition
// command up to three times, then the owner's timer. Runs on the caller's thread.
AuditionResult auditionExchange(OperationHost& host, const AuditionCommand& request,
                                const AuditionTimerStart& startTimer);

// The Channel dialog's choice: built-in alert tone below 10, else custom alert
// selection - 10.
AuditionCommand channelAudition(int alertSelection);

} // namespace quorl
