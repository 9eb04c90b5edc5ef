// Any file through the tone finder, as `quorl tones find` reads a recording: every
// tone it reports must lie inside the recording, in the paging band, and be no
// shorter than the shortest tone it reports.
#include "fuzz/fuzz_file.h"
#include "tones/page_grouping.h"
#include "tones/tone_finder.h"
#include "tones/wav_audio.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorl::tones;
    const auto read = readRecording(quorl::fuzz::inputFile("recording.wav", data, size));
    if (!read.problem.empty())
        return 0;
    const Recording& r = read.recording;
    // Long recordings only slow the run down; their branches are the short ones'.
    if (r.samples.size() > 20 * static_cast<std::size_t>(r.rate))
        return 0;
    const auto found = findTones(r.samples, r.rate);
    const double seconds = static_cast<double>(r.samples.size()) / r.rate;
    for (const FoundTone& t : found)
        if (t.start < 0 || t.start + t.duration > seconds + 1e-9 ||
            t.duration < kMinToneSeconds - kEndAllowanceSeconds || t.hz < 250 || t.hz > 3600)
            std::abort();
    if (groupPages(found).size() > found.size())
        std::abort();
    return 0;
}
