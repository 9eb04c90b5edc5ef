#pragma once

#include <random>
#include <vector>

namespace quorl::test {

// Recordings made for the tone finder's tests, independently of the program's own
// page synthesis: plain sines, white noise, a radio's band-pass, clipping, clicks
// and a voice-like signal.

// Adds a sine of peak `amplitude` over [start, start + seconds), with 5 ms
// raised-cosine ends when `ramped`.
void addTone(std::vector<float>& x, int rate, double start, double seconds, double hz,
             double amplitude, bool ramped = true);

// White noise whose power between 300 and 3,000 Hz is `snrDb` below that of a
// sine of peak `toneAmplitude`.
void addBandNoise(std::vector<float>& x, int rate, double toneAmplitude, double snrDb,
                  std::mt19937& rng);

// A radio's audio path: 300 Hz high-pass and 3,000 Hz low-pass, fourth order each.
void radioBandPass(std::vector<float>& x, int rate);

void clip(std::vector<float>& x, float limit);

// Speech-like sound: a glottal pulse train whose pitch glides between about 90 and
// 220 Hz with jitter, through three formants that move from syllable to syllable,
// in syllables with pauses between words.
void addVoice(std::vector<float>& x, int rate, double start, double seconds, double amplitude,
              std::mt19937& rng);

// `seconds` of speech at 0.6 of full scale with noise 20 dB below it, through the
// radio's band-pass: what a scanner picks up between pages.
std::vector<float> speechAndNoise(int rate, double seconds, std::mt19937& rng);

} // namespace quorl::test
