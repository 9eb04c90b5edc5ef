#include "widgets/wave_output.h"

#include "base/play_blocks.h"
#include "widgets/sound_module.h"
#include "widgets/wave_sink.h"

namespace quorl {

WaveOutput::WaveOutput(QObject* parent) : QObject(parent) {}

WaveOutput::~WaveOutput() {
    stop();
}

bool WaveOutput::deviceAvailable() {
    const auto available =
        reinterpret_cast<WaveDeviceAvailable>(soundModuleEntry(kWaveDeviceAvailableSymbol));
    return available && available();
}

QByteArray WaveOutput::blocks(const std::vector<std::uint8_t>& samples) {
    QByteArray out(reinterpret_cast<const char*>(samples.data()),
                   static_cast<qsizetype>(samples.size()));
    const auto rest = out.size() % static_cast<qsizetype>(kPlayBlockBytes);
    if (rest != 0)
        out.append(static_cast<qsizetype>(kPlayBlockBytes) - rest, '\0');
    return out;
}

bool WaveOutput::play(const std::vector<std::uint8_t>& samples) {
    stop();
    if (!sink_) {
        const auto create =
            reinterpret_cast<CreateWaveSink>(soundModuleEntry(kCreateWaveSinkSymbol));
        if (!create)
            return false; // no sound module: the caller says there is no output
        sink_.reset(create());
    }
    return sink_->start(blocks(samples), [this] { emit finished(); });
}

void WaveOutput::stop() {
    if (sink_)
        sink_->stop();
}

bool WaveOutput::playing() const {
    return sink_ && sink_->playing();
}

} // namespace quorl
