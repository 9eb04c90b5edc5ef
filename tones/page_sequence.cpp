#include "tones/page_sequence.h"

#include "base/decimal_text.h"
#include "codeplug/channel_block.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/coding_options.h"
#include "codeplug/general_block.h"

#include <algorithm>

namespace quorl::tones {

namespace {

double hzOf(const StoredTone& t) {
    return t.tenthsHz / 10.0;
}

// Joins the words of a problem (appending sidesteps a false overlap warning that
// GCC 12 gives for chains of string operator+).
template <typename... Parts> SequenceResult failed(const Parts&... parts) {
    std::string problem;
    (problem.append(parts), ...);
    return {{}, problem};
}

// The pager decodes 280 to 3,400 Hz; a test page outside that could never alert it.
bool audibleToPager(double hz) {
    return hz >= 280.0 && hz <= 3400.0;
}

} // namespace

std::string channelName(int channel) {
    std::string name = "F";
    return name.append(std::to_string(channel + 1));
}

SequenceResult sequenceForEntry(const CodeplugImage& image, const PageRequest& r,
                                const PageTiming& timing) {
    const int channels = std::min<int>(GeneralBlock(image).channelCount(), layout::kChannelCount);
    if (r.channel < 0 || r.channel >= channels)
        return failed("the pager has no channel ", channelName(r.channel), " (it has ",
                      std::to_string(channels), ")");
    const ConstChannelBlock block(image, r.channel);
    const CodingOption& option = codingOption(block.codingOption());
    std::string where = channelName(r.channel);
    where.append(" (").append(option.name).append(")");
    if (r.group > 0) {
        if (r.group > option.groups)
            return failed(where, " has no group call ", std::to_string(r.group));
        const StoredTone t = block.groupTone(r.group);
        if (t.tenthsHz == 0)
            return failed(where, " group call ", std::to_string(r.group), " has no tone");
        return {{{{hzOf(t), timing.longSeconds}}}, {}};
    }
    if (r.call < 1 || r.call > option.calls)
        return failed(where, " has no call address ", std::to_string(r.call));
    const StoredTone a = block.callTone(r.call, 1);
    const StoredTone b = block.callTone(r.call, 2);
    if (a.tenthsHz == 0 || b.tenthsHz == 0)
        return failed(where, " call ", std::to_string(r.call), " lacks tone ",
                      (a.tenthsHz == 0 ? "1" : "2"));
    return {{{{hzOf(a), timing.aSeconds}, {hzOf(b), timing.bSeconds}}}, {}};
}

SequenceResult sequenceForTones(const std::vector<double>& hz, const PageTiming& timing) {
    if (hz.empty())
        return failed("no tones given");
    PageSequence s;
    for (std::size_t i = 0; i < hz.size(); ++i) {
        if (!audibleToPager(hz[i]))
            return failed(decimalText(hz[i], 1), " Hz is outside the pager's 280 to 3400 Hz");
        const double seconds = hz.size() == 1       ? timing.longSeconds
                               : i + 1 == hz.size() ? timing.bSeconds
                                                    : timing.aSeconds;
        s.tones.push_back({hz[i], seconds});
    }
    return {s, {}};
}

} // namespace quorl::tones
