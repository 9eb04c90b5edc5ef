#include "tones/ui/test_page_player.h"

#include "tones/ui/tones_ui_texts.h"
#include "tones/wav_audio.h"

#include <QMessageBox>

namespace quorl {

namespace txt = texts::tones;

CTestPagePlayer::CTestPagePlayer(QObject* parent) : QObject(parent) {
    connect(&output_, &WaveOutput::finished, this, [this] { setPlaying(false); });
}

void CTestPagePlayer::toggle(const std::vector<float>& samples, QWidget* parent) {
    if (playing_) {
        stop();
        return;
    }
    if (!output_.play(tones::pcm16le(samples))) {
        QMessageBox::information(parent, QString::fromUtf8(txt::kCaption),
                                 QString::fromUtf8(txt::kNoSoundOutput));
        return;
    }
    setPlaying(true);
}

void CTestPagePlayer::stop() {
    output_.stop();
    setPlaying(false);
}

void CTestPagePlayer::setPlaying(bool playing) {
    if (playing == playing_)
        return;
    playing_ = playing;
    emit playingChanged(playing);
}

} // namespace quorl
