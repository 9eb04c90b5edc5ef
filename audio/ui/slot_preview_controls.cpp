#include "audio/ui/slot_preview_controls.h"

#include "audio/audio_texts.h"
#include "audio/pcm_wav.h"
#include "audio/slot_fit.h"
#include "base/decimal_text.h"
#include "widgets/system_text.h"
#include "widgets/wave_output.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace quorl {

namespace {

const QString kPreview = QStringLiteral("Preview \u25B6");
const QString kStop = QStringLiteral("Stop \u25A0");

QString seconds(double s) {
    return QString::fromStdString(decimalText(s, 1)) + QStringLiteral(" s");
}

} // namespace

SlotPreviewControls::SlotPreviewControls(WaveOutput& output, std::function<bool(int)> mayPlay,
                                         QObject* parent)
    : QObject(parent), output_(output), mayPlay_(std::move(mayPlay)),
      preview_(new SlotPreview(this)) {
    connect(preview_, &SlotPreview::ready, this, &SlotPreviewControls::ready);
    connect(&output_, &WaveOutput::finished, this, &SlotPreviewControls::stopped);
}

SlotPreviewControls::Row SlotPreviewControls::makeRow(int slot, const QString& name,
                                                      QWidget* parent) {
    Row& r = rows_[static_cast<std::size_t>(slot)];
    r.preview = new QPushButton(kPreview, parent);
    r.preview->setObjectName(QStringLiteral("preview%1").arg(slot));
    r.preview->setAccessibleName(QStringLiteral("Preview %1 as the pager plays it").arg(name));
    r.preview->setToolTip(QStringLiteral("Compress it as Write Custom Audio does and play what "
                                         "the pager will play; press again to stop"));
    r.preview->setAutoDefault(false);
    r.fit = new QProgressBar(parent);
    r.fit->setObjectName(QStringLiteral("fit%1").arg(slot));
    r.fit->setAccessibleName(QStringLiteral("Share of the %1 slot used").arg(name));
    r.fit->setRange(0, 100);
    r.fit->setValue(0);
    r.fit->setFormat(QString());
    r.longest = new QLabel(parent);
    r.longest->setObjectName(QStringLiteral("longest%1").arg(slot));
    r.longest->setAccessibleName(QStringLiteral("Longest recording for %1").arg(name));
    connect(r.preview, &QPushButton::clicked, this, [this, slot] { preview(slot); });
    return r;
}

void SlotPreviewControls::show(int slot, const std::string& wav, bool usable) {
    const auto i = static_cast<std::size_t>(slot);
    if (shown_[i] == wav && !wav.empty())
        return;
    shown_[i] = wav;
    Row& r = rows_[i];
    r.fit->setRange(0, 100);
    r.fit->setValue(0);
    r.fit->setFormat(QString());
    r.longest->clear();
    if (!usable)
        return;
    if (const auto kept = SlotPreview::cached(wav, kDownloadCompressionType, kDownloadSrType)) {
        showFit(slot, *kept);
        return;
    }
    r.fit->setRange(0, 0); // busy while the library compresses
    preview_->request(slot, wav);
}

void SlotPreviewControls::preview(int slot) {
    if (previewing_ == slot) { // the second press stops
        output_.stop();
        stopped();
        return;
    }
    output_.stop();
    stopped();
    if (!mayPlay_(slot))
        return;
    const std::string wav = shown_[static_cast<std::size_t>(slot)];
    previewing_ = slot;
    rows_[static_cast<std::size_t>(slot)].preview->setText(kStop);
    if (const auto kept = SlotPreview::cached(wav, kDownloadCompressionType, kDownloadSrType);
        kept && kept->heard) {
        play(slot, *kept->heard);
        return;
    }
    waiting_ = true;
    rows_[static_cast<std::size_t>(slot)].fit->setRange(0, 0);
    preview_->request(slot, wav);
}

void SlotPreviewControls::ready(int slot, const HeardRecording& result) {
    // The slot may have another recording by now; that one has its own request.
    if (result.wav != shown_[static_cast<std::size_t>(slot)])
        return;
    showFit(slot, result);
    if (previewing_ != slot || !waiting_)
        return;
    waiting_ = false;
    if (!result.heard) {
        stopped();
        showProblem(QStringLiteral("The recording could not be compressed for the preview: ") +
                    result.problem);
        return;
    }
    play(slot, *result.heard);
}

void SlotPreviewControls::showFit(int slot, const HeardRecording& result) {
    Row& r = rows_[static_cast<std::size_t>(slot)];
    r.fit->setRange(0, 100);
    if (!result.heard) {
        r.fit->setValue(0);
        r.fit->setFormat(QString());
        r.longest->setText(QStringLiteral("no stream"));
        r.longest->setToolTip(result.problem);
        return;
    }
    const HeardStream& h = *result.heard;
    const SlotFit fit = slotFit(h.stream.size(), h.samples.size(), h.sampleRate);
    r.fit->setValue(std::min(fit.percent, 100));
    r.fit->setFormat(QStringLiteral("%1 %").arg(fit.percent));
    r.fit->setToolTip(QString::fromStdString(slotFitText(fit)));
    r.longest->setText(fit.fits ? QStringLiteral("max ") + seconds(fit.longestSeconds)
                                : QStringLiteral("too long: max ") + seconds(fit.longestSeconds));
    r.longest->setStyleSheet(fit.fits ? QString() : QStringLiteral("color: #c00000;"));
    r.longest->setToolTip(
        fit.fits ? QString::fromStdString(slotFitText(fit))
                 : QStringLiteral("%1 does not fit: the slot holds %2 at this compression, "
                                  "the pager would play only the start of it")
                       .arg(seconds(fit.seconds), seconds(fit.longestSeconds)));
    emit heard(slot);
}

void SlotPreviewControls::play(int slot, const HeardStream& stream) {
    lastPlayed = pcmBytes(stream.samples);
    if (!output_.play(lastPlayed)) {
        stopped();
        showProblem(systemText(texts::kNoAudioOutput));
        return;
    }
    emit playing(slot);
}

void SlotPreviewControls::stopped() {
    if (previewing_ >= 0)
        rows_[static_cast<std::size_t>(previewing_)].preview->setText(kPreview);
    previewing_ = -1;
    waiting_ = false;
}

} // namespace quorl
