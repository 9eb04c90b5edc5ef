#pragma once

#include "audio/custom_audio_model.h"
#include "editors/audition_port.h"

#include <QDialog>
#include <QTimer>
#include <array>
#include <filesystem>
#include <functional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace quorl {

class ProfileStore;
class SlotPreviewControls;
class WaveOutput;

// "Custom Audio": the thirteen slots with their files, defaults, playback on the
// computer and on the pager, and the marks for Write Custom Audio. The window
// edits a working copy of the program's slots; only its OK (or the User Data
// window settling it) hands the copy back, so Cancel leaves nothing behind.
class CCustomAudioDlg : public QDialog, private AudioMessages {
    Q_OBJECT

public:
    CCustomAudioDlg(CustomAudioModel& model, AuditionPort& audition, ProfileStore& profile,
                    std::function<bool()> cradleConnected, QWidget* parent = nullptr);
    ~CCustomAudioDlg() override;

    // The working copy the window shows and edits.
    CustomAudioModel& model() { return model_; }
    // The User Data window settles an open Custom Audio window on its OK and on
    // its title-bar close; true when this window may close, its edits then kept.
    bool settleForUserDataOk();
    bool settleForUserDataClose();

    // "Preview ▶" and the fit bars of the slots.
    SlotPreviewControls& previews() { return *previews_; }

    // The mode codes of SW-A to SW-H as the Function Switches tab has them; without it
    // "Speak Switch Names" is off.
    std::function<std::array<int, 8>()> switchModes;

    // The file chooser; tests replace it.
    std::function<QString(const QString& folder)> chooseFile;

public slots:
    void onOk();
    void onCancel();
    void browse(int slot);
    void playFile(int slot);
    void playPager(int slot);
    void speakSlot(int slot);
    void tidySlot(int slot);
    void recordSlot(int slot);
    void speakSwitchNames();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Row {
        QLineEdit* file;
        QPushButton* browse;
        QCheckBox* useDefault;
        QPushButton* playFile;
        QPushButton* playPager;
        QCheckBox* write;
        QToolButton* make;
    };
    void refresh();
    // Saves a made recording for the slot in the custom audio folder (asking before
    // replacing a file) and makes it the slot's; false when the user cancelled or it
    // could not be saved.
    bool keepForSlot(int slot, const std::filesystem::path& file,
                     const std::vector<std::int16_t>& samples);
    void error(std::string_view text) override;
    Answer askYesNoCancel(std::string_view question) override;

    CustomAudioModel& committed_;
    CustomAudioModel model_;
    AuditionPort& audition_;
    ProfileStore& profile_;
    std::function<bool()> cradleConnected_;
    std::array<Row, kCustomAudioSlotCount> rows_{};
    WaveOutput* output_;
    SlotPreviewControls* previews_;
    QTimer auditionTimer_; // timer 7
    bool tipShown_ = false;
    QPushButton* speakSwitches_ = nullptr;
};

} // namespace quorl
