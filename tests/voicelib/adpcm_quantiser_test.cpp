#include "tests/voicelib/test_wav.h"
#include "voicelib/adpcm_coder.h"
#include "voicelib/adpcm_quantiser.h"
#include "voicelib/codec_types.h"
#include "voicelib/stream_encoder.h"
#include "voicelib/trial_group.h"

#include <gtest/gtest.h>

namespace quorl::vq4::test {
namespace {

// The quantiser as the stream format describes it, one comparison at a time.
AdpcmQuantised described(int d, int step, int width) {
    std::uint32_t code = 0;
    if (d < 0) {
        code = 1u << (width - 1);
        d = -d;
    }
    int sum = 0;
    int s = step;
    for (int bit = width - 2; bit >= 0; --bit) {
        if (d >= s) {
            code |= 1u << bit;
            d -= s;
            sum += s;
        }
        s >>= 1;
    }
    sum += s;
    return {code, (code >> (width - 1)) ? -sum : sum};
}

TEST(AdpcmQuantiser, FollowsTheBitByBitDescriptionForEveryWidthAndStep) {
    for (int width = 2; width <= 5; ++width)
        for (const int step : stepTable())
            for (int d = -3 * step - 5; d <= 3 * step + 5; d += 1 + step / 64) {
                const AdpcmQuantised q = quantiseAdpcm(d, step, width);
                const AdpcmQuantised want = described(d, step, width);
                ASSERT_EQ(q.code, want.code) << width << " " << step << " " << d;
                ASSERT_EQ(q.delta, want.delta) << width << " " << step << " " << d;
            }
    EXPECT_EQ(reconstructAdpcm(8000, 500), 8191);
    EXPECT_EQ(reconstructAdpcm(-8000, -500), -8192);
    EXPECT_EQ(adpcmMagnitude(0x1Du, 5), 0x0Du);
}

std::uint64_t fnv1a(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (const std::uint8_t b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

// Streams of every ADPCM type as the coder wrote them before its quantiser was
// shared: the same bytes, with vector trials and without.
TEST(AdpcmQuantiser, StreamsKeepTheirBytes) {
    const auto in = voiceLike(20000);
    const struct {
        int type;
        std::uint64_t hash;
    } expected[] = {
        {2, 15038899161489900479ull},  {3, 6594188377502992990ull},  {4, 11892487748586515463ull},
        {5, 15083949260606982893ull},  {10, 5723648936578036423ull}, {11, 10069248186894357202ull},
        {12, 15223545868026361636ull}, {13, 1931866780486918819ull}, {28, 16937708663482908131ull},
        {29, 5315688922430926715ull},  {30, 8660251850988169252ull},
    };
    for (const bool vector : {true, false}) {
        setVectorTrialsEnabled(vector);
        for (const auto& e : expected) {
            std::vector<std::int16_t> decoded;
            const auto stream = encodeStream(*codecInfo(e.type), 3, in, decoded);
            EXPECT_EQ(fnv1a(stream), e.hash) << "type " << e.type << " vector " << vector;
        }
    }
    setVectorTrialsEnabled(true);
}

} // namespace
} // namespace quorl::vq4::test
