// The Custom Audio window's ways of making a slot's recording: speaking a text,
// speaking every switch's mode name, and tidying the slot's recording. What they make
// goes into the user's custom audio folder, never over a file without asking.
#include "audio/pcm_wav.h"
#include "audio/recording_tidy.h"
#include "audio/slot_recording_file.h"
#include "audio/spoken_recording.h"
#include "audio/switch_announcements.h"
#include "audio/ui/custom_audio_dlg.h"
#include "audio/ui/slot_preview_controls.h"
#include "audio/ui/speak_dlg.h"
#include "widgets/system_text.h"
#include "widgets/wave_output.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace quorl {

namespace {

const QString kCaption = QStringLiteral("Tessaly VI Quorl");

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
    const TidyResult tidy = tidyRecording(source, TidySettings{});
    if (!tidy.problem.empty()) {
        error("The recording could not be tidied: " + tidy.problem);
        return;
    }
    QMessageBox box(QMessageBox::Question, kCaption,
                    QStringLiteral("Tidied: silence trimmed, rumble removed, level evened and "
                                   "the peak set to -1 dB.\nKeep the tidied recording for %1?")
                        .arg(shortName(slot)),
                    QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("tidyBox"));
    auto* playBefore = box.addButton(QStringLiteral("Before \u25B6"), QMessageBox::ActionRole);
    auto* playAfter = box.addButton(QStringLiteral("After \u25B6"), QMessageBox::ActionRole);
    auto* keep = box.addButton(QStringLiteral("Keep Tidied"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    // The preview buttons play without closing the question.
    for (auto* b : {playBefore, playAfter})
        b->disconnect();
    connect(playBefore, &QPushButton::clicked, &box, [&] { output_->play(before->playBuffer); });
    connect(playAfter, &QPushButton::clicked, &box, [&] { output_->play(pcmBytes(tidy.samples)); });
    box.exec();
    output_->stop();
    if (box.clickedButton() != keep)
        return;
    const QString name = QStringLiteral("%1 - %2 (tidied).wav")
                             .arg(shortName(slot), QString::fromStdString(source.stem().string()));
    keepForSlot(slot, customAudioFolder() / name.toStdString(), tidy.samples);
}

} // namespace quorl
