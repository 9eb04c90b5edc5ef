#include "voicelib/resampler.h"

#include "voicelib/file_age.h"
#include "voicelib/hooks.h"
#include "voicelib/no_follow_file.h"
#include "voicelib/text_format.h"
#include "voicelib/vq4_texts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <libresample.h>
#include <sndfile.h>
#include <vector>

namespace quorl::vq4 {

namespace {

constexpr int kReadFrames = 4096;
// Far more channels than any voice prompt has; libsndfile accepts up to 1024.
constexpr int kMaxChannels = 64;

struct SndFileCloser {
    void operator()(SNDFILE* f) const {
        if (f)
            sf_close(f);
    }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

class Converters {
public:
    Converters(int channels, double ratio) {
        for (int c = 0; c < channels; ++c)
            handles_.push_back(resample_open(1, ratio, ratio));
    }
    ~Converters() {
        for (void* h : handles_)
            if (h)
                resample_close(h);
    }
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;
    bool ok() const {
        return std::all_of(handles_.begin(), handles_.end(), [](void* h) { return h != nullptr; });
    }
    void* operator[](std::size_t i) const { return handles_[i]; }

private:
    std::vector<void*> handles_;
};

bool copyUnchanged(const std::string& source, const std::string& copy) {
    const bool ok = copyFileNoFollow(source, copy);
    if (!ok)
        reportError(texts::kErrorTitle, texts::kUnableToCopyWav);
    return ok;
}

// The conversion loop: 4096 input frames per pass, leftovers carried in front.
bool convert(SNDFILE* in, const SF_INFO& info, SNDFILE* out, double ratio) {
    const int channels = info.channels;
    Converters converters(channels, ratio);
    if (!converters.ok())
        return false;
    const auto chans = static_cast<std::size_t>(channels);
    const int outCapacity = static_cast<int>(kReadFrames * ratio + 1000);
    std::vector<float> interleaved(static_cast<std::size_t>(kReadFrames) * chans);
    std::vector<std::vector<float>> channelIn(chans, std::vector<float>(kReadFrames));
    std::vector<std::vector<float>> channelOut(
        chans, std::vector<float>(static_cast<std::size_t>(outCapacity)));
    std::vector<float> outFrames(static_cast<std::size_t>(outCapacity) * chans);
    sf_count_t remaining = info.frames;
    int buffered = 0; // frames carried over at the front of each channel buffer
    bool endReached = false;
    // After the last input the converters may still hold a filter's worth of
    // output; the guard ends the loop even if one never reports empty.
    for (int idlePasses = 0; idlePasses < 64;) {
        int got = 0;
        if (!endReached) {
            const auto want = static_cast<sf_count_t>(kReadFrames - buffered);
            got = static_cast<int>(sf_readf_float(in, interleaved.data(), want));
            remaining -= got;
            if (got < want || remaining <= 0)
                endReached = true;
            for (std::size_t c = 0; c < chans; ++c)
                for (int i = 0; i < got; ++i)
                    channelIn[c][static_cast<std::size_t>(buffered + i)] =
                        interleaved[static_cast<std::size_t>(i) * chans + c];
        }
        const int inLen = buffered + got;
        int used0 = 0;
        int produced0 = 0;
        for (std::size_t c = 0; c < chans; ++c) {
            int used = 0;
            const int produced =
                resample_process(converters[c], ratio, channelIn[c].data(), inLen,
                                 endReached ? 1 : 0, &used, channelOut[c].data(), outCapacity);
            if (c == 0) {
                used0 = used;
                produced0 = std::max(produced, 0);
            } else if (used != used0 || std::max(produced, 0) != produced0) {
                std::fputs(texts::kChannelsOutOfSync, stderr);
            }
        }
        for (std::size_t c = 0; c < chans; ++c)
            for (int i = 0; i < produced0; ++i)
                outFrames[static_cast<std::size_t>(i) * chans + c] =
                    std::clamp(channelOut[c][static_cast<std::size_t>(i)], -1.0f, 1.0f);
        if (produced0 > 0 && sf_writef_float(out, outFrames.data(), produced0) != produced0)
            return false;
        used0 = std::clamp(used0, 0, inLen);
        buffered = inLen - used0;
        for (std::size_t c = 0; c < chans; ++c)
            std::copy(channelIn[c].begin() + used0, channelIn[c].begin() + inLen,
                      channelIn[c].begin());
        if (endReached) {
            if (produced0 == 0 && used0 == 0)
                ++idlePasses;
            if (buffered == 0 && produced0 == 0)
                break;
        }
    }
    return true;
}

} // namespace

int wavFileSampleRate(const std::string& path) {
    SF_INFO info{};
    SndFilePtr f(sf_open(path.c_str(), SFM_READ, &info));
    return f ? info.samplerate : 0;
}

bool resampleWav(const std::string& source, const std::string& copy, int targetRate,
                 SampleMarkers* markers) {
    SF_INFO info{};
    SndFilePtr in(sf_open(source.c_str(), SFM_READ, &info));
    if (!in || info.samplerate <= 0 || info.channels <= 0 || info.channels > kMaxChannels) {
        reportError(texts::kErrorTitle, formatText(texts::kUnableToOpenWav, source.c_str()));
        return false;
    }
    // File times are as coarse as the kernel's clock tick, so a copy made in the
    // same tick as its source counts as up to date rather than as older.
    if (compareFileAge(copy, source) >= 0)
        return true;
    const double ratio = static_cast<double>(targetRate) / info.samplerate;
    if (ratio == 1.0) {
        in.reset();
        copyUnchanged(source, copy);
        return true;
    }
    // A rate of 0 or a ratio libresample cannot handle would give no audio.
    if (!(ratio > 0.0) || ratio > 256.0 || ratio < 1.0 / 256.0)
        return false;
    SF_INFO outInfo{};
    outInfo.samplerate = static_cast<int>(targetRate + 0.5);
    outInfo.channels = info.channels;
    outInfo.format = info.format;
    const int fd = openNoFollowForWriting(copy);
    SndFilePtr out(fd < 0 ? nullptr : sf_open_fd(fd, SFM_WRITE, &outInfo, SF_TRUE));
    if (!out) {
        reportFileError(copy);
        return false;
    }
    const bool ok = convert(in.get(), info, out.get(), ratio);
    out.reset();
    if (!ok) {
        std::error_code ec;
        std::filesystem::remove(copy, ec);
        return false;
    }
    if (markers) {
        markers->begin *= ratio;
        markers->end *= ratio;
    }
    return true;
}

} // namespace quorl::vq4
