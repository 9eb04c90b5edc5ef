#pragma once

#include "codeplug/codeplug_image.h"
#include "tones/page_timing.h"

#include <string>
#include <vector>

namespace quorl::tones {

// One tone of a page and how long it sounds.
struct ToneBurst {
    double hz = 0;
    double seconds = 0;
};

// The tones of one page, in the order they are sent.
struct PageSequence {
    std::vector<ToneBurst> tones;
};

// What a page is made for, with its result: the tones, or why there are none.
struct PageRequest {
    int channel = 0; // 0 = F1
    int call = 0;    // call address 1..10, or 0
    int group = 0;   // group call 1..5, or 0
};

struct SequenceResult {
    PageSequence sequence;
    std::string problem; // empty when the sequence is good
};

// The page that alerts one call address or group call of a codeplug: a call is
// its tone 1 for aSeconds then its tone 2 for bSeconds (the "A - B", "A - C",
// "C - B" layouts of every coding option), a group call its one tone for
// longSeconds. Fails for a channel the pager does not have, an entry its coding
// option does not use, or an entry without its tones.
SequenceResult sequenceForEntry(const CodeplugImage& image, const PageRequest& request,
                                const PageTiming& timing);

// A page from tones given by hand: one tone is a long tone, two an A - B call;
// more are sent A-timed except the last, which gets the B time.
SequenceResult sequenceForTones(const std::vector<double>& hz, const PageTiming& timing);

// "F3".
std::string channelName(int channel);

} // namespace quorl::tones
