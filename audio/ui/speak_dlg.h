#pragma once

#include "audio/spoken_recording.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace quorl {

class WaveOutput;

// "Speak": a text for one slot, the eSpeak NG voice, speed and pitch, and a preview of the
// tidied announcement before it is kept.
class CSpeakDlg : public QDialog {
    Q_OBJECT

public:
    CSpeakDlg(const QString& slotName, const QString& text, WaveOutput& output,
              QWidget* parent = nullptr);

    SpeechSettings settings() const;
    QString text() const;
    // Speaks the text as it stands; the recording, or why there is none.
    SpokenRecording speak() const;
    void preview();

    // Says why speaking failed (a message box; tests replace it).
    std::function<void(const QString&)> showProblem;

private:
    WaveOutput& output_;
    QLineEdit* text_;
    QComboBox* voice_;
    QSpinBox* speed_;
    QSpinBox* pitch_;
};

// The voice list's choice for a language ("de"), the English one when it is missing.
int voiceIndex(const QComboBox& voices, const QString& language);

} // namespace quorl
