#include "widgets/wave_output.h"

#include "base/play_blocks.h"
#include "widgets/wave_sink.h"

#include <QCoreApplication>
#include <QLibrary>

namespace quorl {

namespace {

// The sound module, loaded once and kept for the life of the program (sinks made
// by it may outlive any one window). Looked up in the program's private library
// folder (bin/../lib/tessaly-vi-quorl, as built and as installed), then on the
// library path.
QLibrary* waveSinkModule() {
    static QLibrary* module = [] {
        auto* lib = new QLibrary;
        for (const QString& name : {QCoreApplication::applicationDirPath() +
                                        QStringLiteral("/../" QUORL_PRIVATE_LIB_SUBDIR "/lib") +
                                        QLatin1String(kWaveSinkModule),
                                    QString::fromLatin1(kWaveSinkModule)}) {
            lib->setFileName(name);
            if (lib->load())
                return lib;
        }
        return lib;
    }();
    return module->isLoaded() ? module : nullptr;
}

} // namespace

WaveOutput::WaveOutput(QObject* parent) : QObject(parent) {}

WaveOutput::~WaveOutput() {
    stop();
}

bool WaveOutput::deviceAvailable() {
    QLibrary* module = waveSinkModule();
    const auto available =
        module ? reinterpret_cast<WaveDeviceAvailable>(module->resolve(kWaveDeviceAvailableSymbol))
               : nullptr;
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
        QLibrary* module = waveSinkModule();
        const auto create =
            module ? reinterpret_cast<CreateWaveSink>(module->resolve(kCreateWaveSinkSymbol))
                   : nullptr;
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
