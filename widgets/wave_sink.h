#pragma once

#include <QByteArray>
#include <functional>

namespace quorl {

// The sound output behind WaveOutput. It lives in a module of its own
// (libquorl_wave_sink.so, built on Qt Multimedia), loaded the first time something
// is played: Qt Multimedia brings some twenty libraries (sound server, network,
// codecs) that the program's start and the many sessions that never play a
// recording need not load.
class WaveSink {
public:
    virtual ~WaveSink() = default;
    // Plays 8 kHz 16-bit mono PCM `data` on the default output; `finished` runs on
    // the interface thread once it has played out. False without an output device.
    virtual bool start(const QByteArray& data, std::function<void()> finished) = 0;
    virtual void stop() = 0;
    virtual bool playing() const = 0;
};

// The module's two entry points, looked up by these names.
using CreateWaveSink = WaveSink* (*)();
using WaveDeviceAvailable = bool (*)();
inline constexpr const char* kCreateWaveSinkSymbol = "quorlCreateWaveSink";
inline constexpr const char* kWaveDeviceAvailableSymbol = "quorlWaveDeviceAvailable";
inline constexpr const char* kWaveSinkModule = "quorl_wave_sink";

} // namespace quorl
