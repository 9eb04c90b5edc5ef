#pragma once

#include "audio/voice_build.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <memory>
#include <string>

namespace quorl {

// What the window's "Preview ▶" and fit bars show for one recording: the stream a
// download would send and what the pager makes of it, or why there is none.
struct HeardRecording {
    std::shared_ptr<const HeardStream> heard; // null when it could not be made
    QString problem;
    std::string wav; // the recording it was made from
};

// Compresses recordings as a download does and decodes them with the voice library,
// one at a time on a thread of its own so the window stays responsive (the enhanced
// types take seconds). Results are kept per recording content and compression, for
// the whole program run: a recording heard once plays at once the next time.
class SlotPreview : public QObject {
    Q_OBJECT

public:
    explicit SlotPreview(QObject* parent = nullptr);
    ~SlotPreview() override; // waits for the recording being compressed

    // The result for `wav` as it is now, when one is kept.
    static std::optional<HeardRecording> cached(const std::string& wav, int compressionType,
                                                int srType);
    // Asks for `wav` to be heard; `ready(slot, ...)` follows on this object's thread.
    void request(int slot, const std::string& wav, int compressionType = kDownloadCompressionType,
                 int srType = kDownloadSrType);

signals:
    void ready(int slot, const quorl::HeardRecording& result);

private:
    QThreadPool pool_;
};

} // namespace quorl

Q_DECLARE_METATYPE(quorl::HeardRecording)
