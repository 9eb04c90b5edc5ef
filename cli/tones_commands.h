#pragma once

#include "tones/page_timing.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace quorl::cli {

// What a test page is made of: a call or group call of a codeplug, or tones given
// by hand; how it is timed; the rate, and a voice message to follow.
struct TonePageOptions {
    std::string codeplug;
    std::string channel = "F1";
    int call = 0;
    int group = 0;
    std::vector<double> tones;
    tones::PageTiming timing;
    int rate = tones::kDefaultPageRate;
    std::string thenWav;
    std::string output;
};

// `quorl tones page`: writes the page as a 16-bit mono WAV file.
int runTonesPage(const TonePageOptions& options, std::ostream& out, std::ostream& err);

// `quorl tones play`: the same page on the computer's sound output, through the
// sound player beside the tool; says so and fails when there is no output.
inline constexpr int kPlayRate = 8000;
int runTonesPlay(const TonePageOptions& options, std::ostream& err);

// 8 kHz 16-bit little-endian mono `pcm` through the sound player beside the tool.
int playOnSoundOutput(const std::vector<std::uint8_t>& pcm, std::ostream& err);

// `quorl tones find REC.wav [--codeplug FILE] [--json]`: the steady tones of a
// recording, their table codes, the pages they form and the calls each alerts.
int runTonesFind(const std::string& recording, const std::string& codeplug, bool json,
                 std::ostream& out, std::ostream& err);

void addTonesCommands(CLI::App& app, int& exitCode);

} // namespace quorl::cli
