#pragma once

#include <string_view>

// The texts of the test page and tone finder windows, used verbatim.
namespace quorl::texts::tones {

inline constexpr std::string_view kTestPageButton = "Test page";
inline constexpr std::string_view kStopButton = "Stop";
inline constexpr std::string_view kTestPageMenu = "Test Page...";
inline constexpr std::string_view kTestPageTitle = "Test Page";
inline constexpr std::string_view kFindTonesMenu = "Find Tones in a Recording...";
inline constexpr std::string_view kFindTonesTitle = "Find Tones in a Recording";
inline constexpr std::string_view kNoSoundOutput =
    "No sound output device is available; the page cannot be played on this computer.";
inline constexpr std::string_view kCaption = "Tessaly VI Quorl";

// Test Page window.
inline constexpr std::string_view kChannel = "Channel:";
inline constexpr std::string_view kCall = "Call:";
inline constexpr std::string_view kASeconds = "Tone A (s):";
inline constexpr std::string_view kBSeconds = "Tone B (s):";
inline constexpr std::string_view kLongSeconds = "Long tone (s):";
inline constexpr std::string_view kGapMs = "Gap (ms):";
inline constexpr std::string_view kLevel = "Level (dBFS):";
inline constexpr std::string_view kRepeat = "Repeat:";
inline constexpr std::string_view kRate = "Sample rate (Hz):";
inline constexpr std::string_view kPlay = "Play";
inline constexpr std::string_view kSaveWav = "Save as WAV...";
inline constexpr std::string_view kClose = "Close";
inline constexpr std::string_view kWavFilter = "WAV files (*.wav)";
inline constexpr std::string_view kSaved = "Saved ";
inline constexpr std::string_view kCannotSave = "The page could not be saved:\n";
inline constexpr std::string_view kNoEntries = "This channel has no call with its tones set.";

// Find Tones window.
inline constexpr std::string_view kOpenRecording = "Open Recording...";
inline constexpr std::string_view kRecordingFilter =
    "Recordings (*.wav *.flac *.ogg *.aiff *.au);;All files (*)";
inline constexpr std::string_view kSearching = "Finding tones...";
inline constexpr std::string_view kCannotRead = "The recording could not be read:\n";
inline constexpr std::string_view kPlayPage = "Play Page";
inline constexpr std::string_view kUseFor = "Use for...";
inline constexpr std::string_view kUseForTitle = "Use Tones For";
inline constexpr std::string_view kPagesHeading[] = {"Start (s)", "Tones (Hz)", "Codes", "Calls"};
inline constexpr std::string_view kNoCall = "none";
inline constexpr std::string_view kFound = "%1 tones in %2 pages";

} // namespace quorl::texts::tones
