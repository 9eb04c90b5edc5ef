#pragma once

namespace quorl::tones {

// How a test page is sent. The defaults are the common two-tone sequential timing
// (1 s of tone A, 3 s of tone B, 8 s for a single long tone); some dispatch
// centres use other lengths, and the pager only needs each tone long enough.
struct PageTiming {
    double aSeconds = 1.0;
    double bSeconds = 3.0;
    double longSeconds = 8.0;
    double gapMs = 0.0;      // silence between tones and between repeats
    double levelDbfs = -6.0; // peak level of each tone
    int repeat = 1;
};

// The sample rates a test page may be written at.
inline constexpr int kPageRates[] = {8000, 16000, 44100, 48000};
inline constexpr int kDefaultPageRate = 16000;

} // namespace quorl::tones
