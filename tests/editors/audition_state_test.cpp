#include "editors/audition_port.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

TEST(AuditionState, RemainingTimeCountsDownAndEndsWhenAllowedAgain) {
    AuditionState s;
    const auto t0 = AuditionState::Clock::now();
    EXPECT_TRUE(s.allowed());
    EXPECT_EQ(s.remainingMs(t0), 0);
    s.started(4000, t0);
    EXPECT_FALSE(s.allowed());
    EXPECT_EQ(s.remainingMs(t0 + std::chrono::milliseconds(1500)), 2500);
    EXPECT_EQ(s.remainingMs(t0 + std::chrono::milliseconds(9000)), 0);
    s.allow();
    EXPECT_EQ(s.remainingMs(t0 + std::chrono::milliseconds(10)), 0);
}

} // namespace
} // namespace quorl
