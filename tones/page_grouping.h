#pragma once

#include "tones/found_tone.h"

#include <vector>

namespace quorl::tones {

// A page as sent: tone A then tone B, or one long tone.
struct FoundPage {
    double start = 0;
    std::vector<double> hz; // one or two tones
};

// Longest first tone of a two-tone page, and the longest silence between its two
// tones. Two-tone formats send A for 0.4 to 3 s with at most a short pause; a
// tone longer than this is a long tone on its own.
inline constexpr double kLongestFirstTone = 3.5;
inline constexpr double kLongestInnerGap = 1.0;

// Groups found tones into pages, in time order: a tone followed soon enough by a
// different one is an A - B page when it is short enough to be an A tone;
// any other tone is a page of one long tone. Back-to-back pages come apart
// because each B is taken by its own A.
std::vector<FoundPage> groupPages(const std::vector<FoundTone>& tones);

} // namespace quorl::tones
