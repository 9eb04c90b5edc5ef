#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "link/codeplug_operation.h"
#include "tests/support/link_test_support.h"

#include <gtest/gtest.h>
#include <memory>

namespace quorl {
namespace {

using sim::FaultKind;
using sim::FaultRule;

FaultRule onBlockWrite(FaultKind kind, int address, int times = 1) {
    return {kind, std::uint8_t{0x01}, address, times};
}

// A pager that answers late, in pieces, twice or not at all must still end up holding
// exactly what was written, or the write must say it failed.
struct AnswerFaultCase {
    const char* name;
    int replyDelayMs;
    int splitGapMs;
    int duplicateGapMs;
    std::vector<FaultRule> faults;
};

class AnswerPerFrameTest : public ::testing::TestWithParam<AnswerFaultCase> {};

TEST_P(AnswerPerFrameTest, WriteEndsByteExact) {
    const AnswerFaultCase& c = GetParam();
    sim::SimulatorOptions options = test::pacedLine();
    options.replyDelayMs = c.replyDelayMs;
    options.splitGapMs = c.splitGapMs;
    options.duplicateGapMs = c.duplicateGapMs;
    options.faults = c.faults;
    // At the prescribed sleeps: how long the line must be quiet before a frame goes
    // out is part of that rhythm.
    test::SimulatedCradle cradle(options, 1.0, 0.25);

    // The pager holds something else in every written block, so a block that was
    // never really taken shows.
    CodeplugImage old = test::defaultTestCodeplug();
    for (int n : kWriteBlocks)
        old.set(static_cast<Address>(64 * n + 1), 0x5A);
    cradle.sim().withModel([&](sim::PagerModel& m) { m.codeplug() = old; });

    auto state = std::make_unique<CodeplugState>();
    state->loadBoth(test::defaultTestCodeplug());
    state->loaded = true;
    test::RecordingHost host;
    ASSERT_EQ(runPagerOperation(OperationSelector::CodeplugWrite, *state, host),
              OperationOutcome::Succeeded)
        << ::testing::PrintToString(host.messages());

    CodeplugImage expected = test::defaultTestCodeplug();
    updateChecksums(expected);
    refreshModelOptionsMirror(expected);
    CodeplugImage pager;
    cradle.sim().withModel([&](sim::PagerModel& m) { pager = m.codeplug(); });
    for (int n : kWriteBlocks)
        for (Address a = 64 * n; a < 64 * n + 64u; ++a)
            ASSERT_EQ(pager.at(a), expected.at(a)) << "address " << a;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AnswerPerFrameTest,
    ::testing::Values(
        AnswerFaultCase{"LateAnswers", 120, 30, 0, {}},
        AnswerFaultCase{"SplitFirstAnswer", 0, 150, 0, {onBlockWrite(FaultKind::Split, 0x0200)}},
        AnswerFaultCase{"RefusedBlock", 0, 30, 0, {onBlockWrite(FaultKind::Refuse, 0x0240)}},
        AnswerFaultCase{
            "DuplicatedAckBeforeARefusal",
            120,
            30,
            0,
            {onBlockWrite(FaultKind::Duplicate, 0x0200), onBlockWrite(FaultKind::Refuse, 0x0240)}},
        AnswerFaultCase{
            "DuplicateComingLater",
            120,
            30,
            10,
            {onBlockWrite(FaultKind::Duplicate, 0x0200), onBlockWrite(FaultKind::Refuse, 0x0240)}},
        AnswerFaultCase{
            "LateSplitThenRefused",
            120,
            150,
            0,
            {onBlockWrite(FaultKind::Split, 0x0200), onBlockWrite(FaultKind::Refuse, 0x0240)}}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace quorl
