#include "audio/ui/slot_preview.h"

#include "audio/custom_audio_slots.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMetaObject>
#include <QPointer>
#include <map>
#include <mutex>

namespace quorl {

namespace {

std::mutex cacheLock;
std::map<QByteArray, HeardRecording>& cache() {
    static std::map<QByteArray, HeardRecording> results;
    return results;
}

// The recording's bytes and the compression, so an edited file is heard afresh.
QByteArray cacheKey(const std::string& wav, int compressionType, int srType) {
    QFile file(QString::fromStdString(wav));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return hash.result().toHex() + ':' + QByteArray::number(compressionType) + ':' +
           QByteArray::number(srType);
}

HeardRecording hear(const std::string& wav, int compressionType, int srType) {
    VoiceBuild build(buildFolder());
    HeardRecording result;
    result.wav = wav;
    if (auto heard = build.hear(wav, compressionType, srType))
        result.heard = std::make_shared<const HeardStream>(std::move(*heard));
    else
        result.problem = QString::fromStdString(build.problem());
    return result;
}

} // namespace

SlotPreview::SlotPreview(QObject* parent) : QObject(parent) {
    qRegisterMetaType<HeardRecording>();
    pool_.setMaxThreadCount(1); // the voice library compresses one recording at a time
}

SlotPreview::~SlotPreview() {
    pool_.clear();
    pool_.waitForDone();
}

std::optional<HeardRecording> SlotPreview::cached(const std::string& wav, int compressionType,
                                                  int srType) {
    const QByteArray key = cacheKey(wav, compressionType, srType);
    const std::lock_guard lock(cacheLock);
    const auto it = cache().find(key);
    if (key.isEmpty() || it == cache().end())
        return std::nullopt;
    return it->second;
}

void SlotPreview::request(int slot, const std::string& wav, int compressionType, int srType) {
    QPointer<SlotPreview> self(this);
    pool_.start([self, slot, wav, compressionType, srType] {
        // The key is taken before compressing: a file changed meanwhile is heard again.
        const QByteArray key = cacheKey(wav, compressionType, srType);
        HeardRecording result = hear(wav, compressionType, srType);
        if (!key.isEmpty() && result.heard) {
            const std::lock_guard lock(cacheLock);
            cache()[key] = result;
        }
        QMetaObject::invokeMethod(
            self.data(),
            [self, slot, result] {
                if (self)
                    emit self->ready(slot, result);
            },
            Qt::QueuedConnection);
    });
}

} // namespace quorl
