#pragma once

#include "base/capture_format.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace quorl {

// The sound input behind the Custom Audio window's "Record...". Like WaveSink it
// lives in the sound module (libquorl_wave_sink.so, built on Qt Multimedia), loaded
// the first time something is played or recorded.
class WaveSource {
public:
    virtual ~WaveSource() = default;
    // Starts recording from the system's default input in a format the input offers;
    // blocks of it go to `arrived` on the interface thread. `failed` runs there when
    // the input stops with an error. False, with `problem` saying why, when there is
    // no input or it does not start.
    virtual bool start(std::function<void(const std::uint8_t*, std::size_t)> arrived,
                       std::function<void(const std::string&)> failed, std::string& problem) = 0;
    virtual void stop() = 0;
    // The format the blocks come in, once started.
    virtual CaptureFormat format() const = 0;
};

using CreateWaveSource = WaveSource* (*)();
inline constexpr const char* kCreateWaveSourceSymbol = "quorlCreateWaveSource";

} // namespace quorl
