#include "audio/ui/wave_output.h"

#include "audio/wav_check.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

namespace quorl {

WaveOutput::WaveOutput(QObject* parent) : QObject(parent) {}

WaveOutput::~WaveOutput() {
    stop();
}

bool WaveOutput::deviceAvailable() {
    return !QMediaDevices::defaultAudioOutput().isNull();
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
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(8000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    data_ = blocks(samples);
    buffer_ = std::make_unique<QBuffer>(&data_);
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->setBufferSize(static_cast<qsizetype>(kPlayBlockBytes) * 2);
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State s) {
        if (s == QAudio::IdleState) {
            // Played out: reset and close the device, as the block queue ends.
            sink_->stop();
            emit finished();
        }
    });
    sink_->start(buffer_.get());
    return true;
}

void WaveOutput::stop() {
    if (sink_)
        sink_->stop();
    sink_.reset();
    buffer_.reset();
}

bool WaveOutput::playing() const {
    return sink_ && sink_->state() == QAudio::ActiveState;
}

} // namespace quorl
