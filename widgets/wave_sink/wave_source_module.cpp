// The sound module's input side: recording from the system's default input with
// Qt Multimedia, for the Custom Audio window's "Record...".
#include "widgets/wave_source.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>
#include <QObject>
#include <memory>

namespace quorl {
namespace {

CaptureEncoding encodingOf(QAudioFormat::SampleFormat format) {
    switch (format) {
    case QAudioFormat::UInt8:
        return CaptureEncoding::UInt8;
    case QAudioFormat::Int32:
        return CaptureEncoding::Int32;
    case QAudioFormat::Float:
        return CaptureEncoding::Float;
    default:
        return CaptureEncoding::Int16;
    }
}

std::string errorText(QAudio::Error error) {
    switch (error) {
    case QAudio::OpenError:
        return "the audio input cannot be opened";
    case QAudio::IOError:
        return "the audio input stopped delivering sound";
    case QAudio::UnderrunError:
        return "the audio input fell behind";
    default:
        return "the audio input failed";
    }
}

class QtWaveSource : public WaveSource {
public:
    ~QtWaveSource() override { stop(); }

    bool start(std::function<void(const std::uint8_t*, std::size_t)> arrived,
               std::function<void(const std::string&)> failed, std::string& problem) override {
        stop();
        const QAudioDevice device = QMediaDevices::defaultAudioInput();
        if (device.isNull()) {
            problem = "there is no audio input";
            return false;
        }
        // The input's own rate and sample format, so the sound server converts
        // nothing; mono where the input offers it. Tidying brings it to 8 kHz.
        QAudioFormat format = device.preferredFormat();
        QAudioFormat mono = format;
        mono.setChannelCount(1);
        if (device.isFormatSupported(mono))
            format = mono;
        if (!format.isValid()) {
            problem = "the audio input offers no format to record in";
            return false;
        }
        source_ = std::make_unique<QAudioSource>(device, format);
        io_ = source_->start();
        if (io_ == nullptr || source_->error() != QAudio::NoError) {
            problem = errorText(source_->error());
            source_.reset();
            io_ = nullptr;
            return false;
        }
        format_ = {format.sampleRate(), format.channelCount(), encodingOf(format.sampleFormat())};
        QObject::connect(io_, &QIODevice::readyRead, source_.get(),
                         [this, arrived = std::move(arrived)] {
                             const QByteArray block = io_->readAll();
                             if (!block.isEmpty())
                                 arrived(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                         static_cast<std::size_t>(block.size()));
                         });
        QObject::connect(source_.get(), &QAudioSource::stateChanged, source_.get(),
                         [this, failed = std::move(failed)](QAudio::State state) {
                             if (state == QAudio::StoppedState &&
                                 source_->error() != QAudio::NoError && failed)
                                 failed(errorText(source_->error()));
                         });
        return true;
    }

    void stop() override {
        // Out of the member before stopping: the sound system may run events meanwhile.
        if (const std::unique_ptr<QAudioSource> source = std::move(source_)) {
            source->disconnect();
            if (io_ != nullptr)
                io_->disconnect();
            source->stop();
        }
        io_ = nullptr;
    }

    CaptureFormat format() const override { return format_; }

private:
    std::unique_ptr<QAudioSource> source_;
    QIODevice* io_ = nullptr; // owned by source_
    CaptureFormat format_;
};

} // namespace
} // namespace quorl

extern "C" Q_DECL_EXPORT quorl::WaveSource* quorlCreateWaveSource() {
    return new quorl::QtWaveSource;
}
