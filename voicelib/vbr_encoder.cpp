#include "voicelib/vbr_encoder.h"

#include "voicelib/enhanced_frame.h"
#include "voicelib/sample_block_encoder.h"

#include <algorithm>
#include <cmath>

namespace quorl::vq4 {

namespace {

constexpr double kDisqualifiedError = 1e9;
constexpr double kDisqualifiedSnr = -100.0;

double snrOf(double error, double level) {
    return error == 0.0 ? 100.0 : -20.0 * std::log10(error / level);
}

double millivolts(double rmsError) {
    return rmsError * 500.0 / 8191.0;
}

struct Measured {
    double error = 0;
    double snr = 0;
};

} // namespace

const std::array<VbrAlternative, 9>& vbrAlternatives() {
    static const std::array<VbrAlternative, 9> kAlternatives{{
        {"6 bit DuLaw", CodecFamily::DiffMuLaw, 20, 6},
        {"6 bit uLaw", CodecFamily::MuLaw, 16, 6},
        {"7 bit DuLaw", CodecFamily::DiffMuLaw, 21, 7},
        {"7 bit uLaw", CodecFamily::MuLaw, 17, 7},
        {"8 bit DuLaw", CodecFamily::DiffMuLaw, 22, 8},
        {"8 bit uLaw", CodecFamily::MuLaw, 18, 8},
        {"8 bit PCM", CodecFamily::Pcm, 24, 8},
        {"10 bit PCM", CodecFamily::Pcm, 25, 10},
        {"12 bit PCM", CodecFamily::Pcm, 27, 12},
    }};
    return kAlternatives;
}

VbrEncoder::VbrEncoder(const CodecInfo& codec, int srType)
    : StreamEncoder(codec, srType), srType_(srType & 7) {}

std::size_t VbrEncoder::chunkSamples() const {
    return static_cast<std::size_t>(kFrameSamples) * 64;
}

void VbrEncoder::encode(const std::int16_t* in, std::size_t n, std::int16_t* decoded) {
    if (first_) {
        writer_.put(configByte_, 8);
        first_ = false;
    }
    for (std::size_t pos = 0; pos < n; pos += kFrameSamples) {
        const int count = static_cast<int>(std::min<std::size_t>(kFrameSamples, n - pos));
        encodeFrame(in + pos, count, decoded + pos);
    }
}

void VbrEncoder::encodeFrame(const std::int16_t* in, int count, std::int16_t* decoded) {
    const auto& alts = vbrAlternatives();
    int v[kFrameSamples];
    double sum = 0;
    for (int i = 0; i < count; ++i) {
        v[i] = in[i] >> 2;
        sum += static_cast<double>(v[i]) * v[i];
    }
    const double level = std::sqrt(sum == 0.0 ? 1.0 : sum) / count;

    // Measure every alternative on this frame.
    std::array<Measured, 9> m{};
    for (std::size_t a = 0; a < alts.size(); ++a) {
        int p = state_.x1 * 4;
        double sq = 0;
        for (int i = 0; i < count; ++i) {
            int d = 0;
            encodeSampleCode(alts[a].family, alts[a].bits, in[i], p, d);
            const double e = static_cast<double>(d) - in[i];
            sq += e * e;
        }
        m[a].error = std::sqrt(sq / count) / 16.0;
        m[a].snr = snrOf(m[a].error, level);
    }
    // A better codec of the same width makes the ones before it pointless.
    auto disqualify = [&m](std::size_t better, std::size_t worse) {
        if (m[better].error < m[worse].error) {
            m[worse].error = kDisqualifiedError;
            m[worse].snr = kDisqualifiedSnr;
        }
    };
    disqualify(1, 0);
    disqualify(3, 2);
    disqualify(5, 4);
    disqualify(6, 4);
    disqualify(6, 5);

    // Only an ADPCM frame within the type's limits is any use, so the search may
    // drop every trial whose error passes them. The bound is a little generous;
    // the exact test below still decides.
    const double rmsLimit = std::max(codec_.vbrLimitMv * 8191.0 / 500.0,
                                     level * std::pow(10.0, -codec_.vbrLimitDb / 20.0));
    const double sseLimit = rmsLimit * rmsLimit * count * 1.0001 + 16.0;
    const std::uint64_t limit =
        sseLimit < 1e18 ? static_cast<std::uint64_t>(sseLimit) : kNoErrorLimit;

    EnhancedFrame frame;
    for (int width = 2; width <= 5; ++width) {
        searchEnhancedFrame(state_, width, v, count, frame, limit);
        const bool found = frame.squaredError != kNoErrorLimit;
        const double rms = found ? std::sqrt(static_cast<double>(frame.squaredError) / count) : 0.0;
        const double snr = snrOf(rms, level);
        if (found && (millivolts(rms) <= codec_.vbrLimitMv || snr >= codec_.vbrLimitDb)) {
            writer_.put(static_cast<std::uint32_t>((srType_ << 5) | 8 | width), 8);
            writeEnhancedFrame(frame, width, writer_);
            for (int i = 0; i < count; ++i)
                decoded[i] =
                    static_cast<std::int16_t>(frame.reconstructed[static_cast<std::size_t>(i)] * 4);
            state_ = frame.endState;
            return;
        }
        for (std::size_t a = 0; a < alts.size(); ++a) {
            const bool meets =
                m[a].snr > codec_.vbrLimitDb || millivolts(m[a].error) < codec_.vbrLimitMv;
            if (meets && (width + 1 > alts[a].bits || width == 5)) {
                writeAlternative(a, in, count, decoded);
                return;
            }
        }
    }
    writeAlternative(alts.size() - 1, in, count, decoded);
}

void VbrEncoder::writeAlternative(std::size_t alt, const std::int16_t* in, int count,
                                  std::int16_t* decoded) {
    const auto& a = vbrAlternatives()[alt];
    writer_.put(configurationByte(srType_, a.code), 8);
    int p = state_.x1 * 4;
    for (int i = 0; i < count; ++i) {
        int d = 0;
        writer_.put(encodeSampleCode(a.family, a.bits, in[i], p, d), a.bits);
        decoded[i] = static_cast<std::int16_t>(d);
    }
    // ADPCM frames after this one predict from what the decoder just played.
    state_.x2 = count >= 2 ? decoded[count - 2] >> 2 : state_.x1;
    state_.x1 = decoded[count - 1] >> 2;
}

} // namespace quorl::vq4
