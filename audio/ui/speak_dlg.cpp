#include "audio/ui/speak_dlg.h"

#include "audio/pcm_wav.h"
#include "widgets/message_box.h"
#include "widgets/wave_output.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

namespace quorl {

CSpeakDlg::CSpeakDlg(const QString& slotName, const QString& text, WaveOutput& output,
                     QWidget* parent)
    : QDialog(parent), output_(output), text_(new QLineEdit(text, this)),
      voice_(new QComboBox(this)), speed_(new QSpinBox(this)), pitch_(new QSpinBox(this)) {
    setObjectName(QStringLiteral("speakWindow"));
    setWindowTitle(QStringLiteral("Speak %1").arg(slotName));
    showProblem = [this](const QString& why) {
        showMessageBox(this, QMessageBox::Information, QStringLiteral("Tessaly VI Quorl"), why);
    };
    text_->setObjectName(QStringLiteral("speakText"));
    voice_->setObjectName(QStringLiteral("speakVoice"));
    speed_->setObjectName(QStringLiteral("speakSpeed"));
    pitch_->setObjectName(QStringLiteral("speakPitch"));
    for (const auto& v : speechVoices())
        voice_->addItem(QStringLiteral("%1 (%2)").arg(QString::fromStdString(v.name),
                                                      QString::fromStdString(v.language)),
                        QString::fromStdString(v.language));
    voice_->setCurrentIndex(voiceIndex(*voice_, QStringLiteral("en")));
    speed_->setRange(80, 450);
    speed_->setValue(SpeechSettings{}.wordsPerMinute);
    pitch_->setRange(0, 100);
    pitch_->setValue(SpeechSettings{}.pitch);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Text:"), text_);
    form->addRow(QStringLiteral("&Voice:"), voice_);
    form->addRow(QStringLiteral("&Words per minute:"), speed_);
    form->addRow(QStringLiteral("&Pitch (0 to 100):"), pitch_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    auto* play = buttons->addButton(QStringLiteral("Preview \u25B6"), QDialogButtonBox::ActionRole);
    play->setObjectName(QStringLiteral("speakPreview"));
    play->setAccessibleName(QStringLiteral("Preview the spoken announcement"));
    form->addRow(buttons);
    connect(play, &QPushButton::clicked, this, &CSpeakDlg::preview);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

SpeechSettings CSpeakDlg::settings() const {
    SpeechSettings s;
    s.voice = voice_->currentData().toString().toStdString();
    s.wordsPerMinute = speed_->value();
    s.pitch = pitch_->value();
    return s;
}

QString CSpeakDlg::text() const {
    return text_->text().trimmed();
}

SpokenRecording CSpeakDlg::speak() const {
    return speakForSlot(text().toStdString(), settings());
}

void CSpeakDlg::preview() {
    const SpokenRecording spoken = speak();
    if (!spoken.problem.empty()) {
        showProblem(QString::fromStdString(spoken.problem));
        return;
    }
    if (!output_.play(pcmBytes(spoken.samples)))
        showProblem(QStringLiteral("No sound output device is available."));
}

int voiceIndex(const QComboBox& voices, const QString& language) {
    const int exact = voices.findData(language);
    return exact >= 0 ? exact : std::max(0, voices.findData(QStringLiteral("en")));
}

} // namespace quorl
