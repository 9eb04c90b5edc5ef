#pragma once

#include <QByteArray>
#include <QObject>
#include <memory>
#include <vector>

namespace quorl {

class WaveSink;

// Plays 8 kHz 16-bit mono samples on the default output, in blocks of 1,600 bytes
// (0.1 s) with the last block filled up with silence.
class WaveOutput : public QObject {
    Q_OBJECT

public:
    explicit WaveOutput(QObject* parent = nullptr);
    ~WaveOutput() override;

    // False when the computer has no sound output.
    static bool deviceAvailable();
    // Starts playing (stopping anything still playing); false without a device.
    bool play(const std::vector<std::uint8_t>& samples);
    void stop();
    bool playing() const;

    // The samples padded to whole blocks, as they are queued.
    static QByteArray blocks(const std::vector<std::uint8_t>& samples);

signals:
    void finished();

private:
    std::unique_ptr<WaveSink> sink_; // made by the sound module on first play
};

} // namespace quorl
