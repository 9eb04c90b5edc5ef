#pragma once

#include "audio/slot_state_file.h"
#include "audio/wav_check.h"
#include "codeplug/document_host.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace quorl {

// Where the Custom Audio window's messages go: a stop box with the program's
// caption, and the Yes/No/Cancel question.
class AudioMessages {
public:
    virtual ~AudioMessages() = default;
    virtual void error(std::string_view text) = 0;
    virtual Answer askYesNoCancel(std::string_view question) = 0;
};

// The thirteen custom audio slots as the program keeps them: what the Custom Audio
// window edits and what Write Custom Audio reads after it closed. Slots are
// numbered 0 to 12 here (Alert 1 .. Alert 5, SW A .. SW H).
class CustomAudioModel {
public:
    CustomAudioModel(std::filesystem::path installFolder, std::filesystem::path stateFile);

    // Reads the state file, or creates it with the defaults, and checks every
    // active file quietly. False only when a missing file could not be created.
    bool open();
    // Reads the state file at start-up, so Write Custom Audio knows whether
    // anything is marked.
    void loadQuietly();

    const SlotState& slot(int i) const { return states_.at(static_cast<std::size_t>(i)); }
    bool writeEnabled(int i) const { return writeEnabled_.at(static_cast<std::size_t>(i)); }
    std::filesystem::path activePath(int i) const;
    std::filesystem::path lastFolder(int i) const;
    bool changed() const { return changed_; }
    bool anySlotMarked() const { return anyMarked_; }

    void browsed(int i, const std::filesystem::path& chosen, AudioMessages& messages);
    // False when the toggle was refused (File Error #12).
    bool useDefaultToggled(int i, bool useDefault, AudioMessages& messages);
    void writeToggled(int i, bool write);
    // The checked file to play on the computer; none after File Error #12 or a
    // failed check.
    std::optional<WavCheckResult> fileToPlay(int i, AudioMessages& messages) const;

    // The window's OK; true when the window closes.
    bool ok(AudioMessages& messages);
    // The User Data window settles an open Custom Audio window on its OK and on
    // its title-bar close; true when the Custom Audio window may close.
    bool settleForUserDataOk(AudioMessages& messages);
    bool settleForUserDataClose(AudioMessages& messages);

    bool save();
    const std::filesystem::path& stateFile() const { return stateFile_; }
    const std::filesystem::path& installFolder() const { return installFolder_; }

private:
    // " Do you want to save the changes current condition ?" when something changed;
    // false for Cancel.
    bool askToSaveChanges(AudioMessages& messages);
    // Updates the row after a check; `tick` for an explicit choice of file.
    void applyCheck(int i, WavCheck status, bool tick);

    std::filesystem::path installFolder_;
    std::filesystem::path stateFile_;
    SlotStates states_;
    std::array<bool, kCustomAudioSlotCount> writeEnabled_{};
    std::array<std::filesystem::path, kCustomAudioSlotCount> lastFolders_{};
    bool changed_ = false;
    bool anyMarked_ = false;
};

} // namespace quorl
