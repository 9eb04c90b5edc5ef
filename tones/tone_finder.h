#pragma once

#include "tones/found_tone.h"

#include <span>
#include <vector>

namespace quorl::tones {

// The shortest tone reported. A sender's rise and fall take a few milliseconds off
// what the ear hears as the tone, so a little less is let through.
inline constexpr double kMinToneSeconds = 0.25;
inline constexpr double kEndAllowanceSeconds = 0.01;

// Every steady tone of at least kMinToneSeconds in `samples`, in time order.
//
// Three steps: (1) the block-wise detector marks frames where one tone dominates;
// (2) frames of the same frequency join into a tone, bridging up to four frames
// spoilt by a click or a burst of noise; (3) each tone is measured from its
// samples (frequency by phase slope, level) and its ends are put where its own
// envelope crosses half its level next to the end. A tone whose phase wanders
// (a sung vowel, a whistle, a gliding carrier) is no tone.
std::vector<FoundTone> findTones(std::span<const float> samples, int rate);

} // namespace quorl::tones
