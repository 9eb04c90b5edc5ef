#pragma once

#include "codeplug/codeplug_state.h"
#include "editors/editor_messages.h"

#include <string>
#include <string_view>

namespace quorl {

// The lists of the Model Options tab, in the order they are laid out.
enum class ModelOptionList {
    StoredVoiceDuration,
    SwitchAnnouncements,
    FixedVolumePageAlert,
    AlertDurationMode,
    UnreadMessageReminder,
    Privacy,
    AlwaysOn,
    AnnouncementsType,
    PriorityToneAlert,
    BatteryLevelAnnouncement,
    AutoDeletion,
};
inline constexpr int kModelOptionListCount = 11;

// The editing logic of the Model Options tab over the model options block. The Qt
// view mirrors `selection`, the two texts and the enabled/visible flags.
class ModelOptionsTab {
public:
    ModelOptionsTab(CodeplugState& state, EditorMessages& messages)
        : state_(state), messages_(messages) {}

    // Fills everything from the committed image and repairs what must be repaired.
    void open();
    // Enables the priority scan box when a function switch in the edit image is set
    // to Priority Scan.
    void applyPriorityScanRule();

    int selection(ModelOptionList list) const { return selection_[static_cast<int>(list)]; }
    void select(ModelOptionList list, int item);

    // The two text boxes.
    const std::string& priorityScanText() const { return scanText_; }
    const std::string& alertDurationText() const { return alertText_; }
    // Typed values, checked on Enter or on leaving the box.
    void commitPriorityScanText(const std::string& typed);
    void commitAlertDurationText(const std::string& typed);
    // Any key press in the priority scan box re-arms the 0.512-second advice.
    void priorityScanKeyPressed() { slowWarningShown_ = false; }
    // The spin buttons step from `shown`, the text the box holds at the click
    // (it may have been typed and not yet checked).
    void spinPriorityScan(bool up, std::string_view shown);
    void spinAlertDuration(bool up, std::string_view shown);

    bool priorityScanEnabled() const { return scanEnabled_; }
    bool noPriorityScanNoteVisible() const { return !scanEnabled_; }
    bool alertDurationVisible() const { return selection(ModelOptionList::AlertDurationMode) == 1; }
    bool alwaysOnNoteVisible() const { return selection(ModelOptionList::AlwaysOn) == 1; }

    // Keys the two boxes accept: digits, the decimal point and the editing keys.
    static bool acceptsCharacter(char c);

private:
    void storePriorityScan(int value);
    void storeAlertDuration(int value);

    CodeplugState& state_;
    EditorMessages& messages_;
    int selection_[kModelOptionListCount] = {};
    std::string scanText_ = "0.512";
    std::string alertText_ = "0.48";
    bool scanEnabled_ = false;
    bool slowWarningShown_ = false;
};

// "%1.3f" of a stored priority scan value (units of 8 ms) in seconds.
std::string formatPriorityScan(int stored);
// "%.2f" of a stored alert duration (units of 480 ms) in seconds.
std::string formatAlertDuration(int stored);

} // namespace quorl
