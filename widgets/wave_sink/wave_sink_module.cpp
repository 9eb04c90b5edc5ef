// libquorl_wave_sink.so: the Qt Multimedia side of WaveOutput, loaded on first use.
#include "widgets/wave_sink.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QObject>
#include <memory>

namespace quorl {
namespace {

class QtWaveSink : public WaveSink {
public:
    ~QtWaveSink() override { stop(); }

    bool start(const QByteArray& data, std::function<void()> finished) override {
        stop();
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return false;
        QAudioFormat format;
        format.setSampleRate(8000);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Int16);
        data_ = data;
        buffer_ = std::make_unique<QBuffer>(&data_);
        buffer_->open(QIODevice::ReadOnly);
        sink_ = std::make_unique<QAudioSink>(device, format);
        // Two blocks of 0.1 s queued at a time, as the block queue of the player.
        sink_->setBufferSize(3200);
        QObject::connect(sink_.get(), &QAudioSink::stateChanged, sink_.get(),
                         [this, finished = std::move(finished)](QAudio::State s) {
                             if (s == QAudio::IdleState) {
                                 // Played out: reset and close the device.
                                 sink_->stop();
                                 if (finished)
                                     finished();
                             }
                         });
        sink_->start(buffer_.get());
        return true;
    }

    void stop() override {
        if (sink_)
            sink_->stop();
        sink_.reset();
        buffer_.reset();
    }

    bool playing() const override { return sink_ && sink_->state() == QAudio::ActiveState; }

private:
    QByteArray data_;
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QAudioSink> sink_;
};

} // namespace
} // namespace quorl

extern "C" Q_DECL_EXPORT quorl::WaveSink* quorlCreateWaveSink() {
    return new quorl::QtWaveSink;
}

extern "C" Q_DECL_EXPORT bool quorlWaveDeviceAvailable() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}
