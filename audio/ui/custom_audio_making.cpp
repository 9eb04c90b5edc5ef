// The Custom Audio window's ways of making a slot's recording: speaking a text,
// speaking every switch's mode name, tidying the slot's recording and recording
// from the computer's audio input. What they make
// goes into the user's custom audio folder, never over a file without asking.
#include "audio/custom_audio_slots.h"
#include "audio/pcm_wav.h"
#include "audio/recording_limit.h"
#include "audio/recording_tidy.h"
#include "audio/slot_recording_file.h"
#include "audio/spoken_recording.h"
#include "audio/switch_announcements.h"
#include "audio/ui/custom_audio_dlg.h"
#include "audio/ui/record_dlg.h"
#include "audio/ui/slot_preview_controls.h"
#include "audio/ui/speak_dlg.h"
#include "audio/ui/tidy_dlg.h"
#include "audio/voice_build.h"
#include "widgets/system_text.h"
#include "widgets/wave_output.h"

#include <QInputDialog>

namespace quorl {

namespace {

QString shortName(int slot) {
    return systemText(kCustomAudioSlots.at(static_cast<std::size_t>(slot)).shortName);
}

} // namespace

bool CCustomAudioDlg::keepForSlot(int slot, const std::filesystem::path& file,
                                  const std::vector<std::int16_t>& samples) {
    std::string problem;
    SaveOutcome saved = saveSlotRecording(file, samples, false, problem);
    if (saved == SaveOutcome::Exists) {
        const Answer answer =
            askYesNoCancel(QStringLiteral("\"%1\" is already in %2. Replace it?")
                               .arg(QString::fromStdString(file.filename().string()),
                                    QString::fromStdString(file.parent_path().string()))
                               .toStdString());
        if (answer != Answer::Yes)
            return answer == Answer::No; // No goes on with the next, Cancel stops
        saved = saveSlotRecording(file, samples, true, problem);
    }
    if (saved == SaveOutcome::Failed) {
        error("The recording could not be saved: " + problem);
        return false;
    }
    model_.browsed(slot, file, *this);
    previews_->forget(slot);
    refresh();
    return true;
}

void CCustomAudioDlg::speakSlot(int slot) {
    CSpeakDlg speak(shortName(slot), QString(), *output_, this);
    while (speak.exec() == QDialog::Accepted) {
        const SpokenRecording spoken = speak.speak();
        if (!spoken.problem.empty()) {
            error("The text could not be spoken: " + spoken.problem);
            continue;
        }
        const auto file = customAudioFolder() /
                          spokenFileName(slot, speak.text().toStdString(), speak.settings().voice);
        keepForSlot(slot, file, spoken.samples);
        return;
    }
}

void CCustomAudioDlg::speakSwitchNames() {
    if (!switchModes)
        return;
    QStringList voices;
    QStringList languages;
    for (const auto& v : speechVoices()) {
        voices << QStringLiteral("%1 (%2)").arg(QString::fromStdString(v.name),
                                                QString::fromStdString(v.language));
        languages << QString::fromStdString(v.language);
    }
    bool chosen = false;
    const QString voice = QInputDialog::getItem(
        this, QStringLiteral("Speak Switch Names"), QStringLiteral("Voice:"), voices,
        std::max<int>(0, static_cast<int>(languages.indexOf(QStringLiteral("en")))), false,
        &chosen);
    if (!chosen)
        return;
    const std::string language = languages.value(voices.indexOf(voice)).toStdString();
    const auto modes = switchModes();
    for (int k = 0; k < 8; ++k) {
        const int slot = 5 + k; // SW A .. SW H
        const std::string text = switchAnnouncement(modes[static_cast<std::size_t>(k)], language);
        const SpokenRecording spoken = speakForSlot(text, {language, 150, 50});
        if (!spoken.problem.empty()) {
            error(QStringLiteral("\"%1\" could not be spoken: %2")
                      .arg(QString::fromStdString(text), QString::fromStdString(spoken.problem))
                      .toStdString());
            return;
        }
        if (!keepForSlot(slot, customAudioFolder() / spokenFileName(slot, text, language),
                         spoken.samples))
            return;
    }
}

void CCustomAudioDlg::tidySlot(int slot) {
    const auto before = model_.fileToPlay(slot, *this);
    if (!before)
        return;
    const std::filesystem::path source = model_.activePath(slot);
    CTidyDlg tidy(shortName(slot), source, before->playBuffer, *output_, this);
    const int answer = tidy.exec();
    output_->stop();
    if (answer != QDialog::Accepted)
        return;
    const QString name = QStringLiteral("%1 - %2 (tidied).wav")
                             .arg(shortName(slot), QString::fromStdString(source.stem().string()));
    keepForSlot(slot, customAudioFolder() / name.toStdString(), tidy.tidied().samples);
}

void CCustomAudioDlg::recordSlot(int slot) {
    // The limit is what the slot holds at the download's compression, measured with
    // the voice library the download uses.
    std::string problem;
    const auto limit =
        slotRecordingLimit(buildFolder(), kDownloadCompressionType, kDownloadSrType, problem);
    if (!limit) {
        error("The slot's capacity cannot be worked out, so nothing is recorded: " + problem);
        return;
    }
    CRecordDlg record(shortName(slot), *limit, *output_, this);
    if (record.exec() != QDialog::Accepted || record.tidied().empty())
        return;
    const QString name = QStringLiteral("%1 - recorded.wav").arg(shortName(slot));
    keepForSlot(slot, customAudioFolder() / name.toStdString(), record.tidied());
}

} // namespace quorl
