#pragma once

#include "codeplug/channel_block.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/tone_tables.h"
#include "editors/editor_messages.h"

#include <array>
#include <string>

namespace quorl {

struct CodingOption;

// One of the 25 tone boxes: 0..9 tone 1 of calls 1..10, 10..19 tone 2 of calls
// 1..10, 20..24 groups 1..5.
inline constexpr int kToneBoxes = 2 * kCallCount + kGroupCount;
int toneBoxIndex(ToneSlot slot);
ToneSlot toneBoxSlot(int box);

struct ToneBoxView {
    std::string text;     // what the box shows
    std::string accepted; // the text last accepted; a rejected entry puts it back
    bool enabled = true;  // own tone; a copied tone is greyed
    bool pickerVisible = false;
};

// A call address (rows 0..9) or group call (rows 10..14) with its combos.
struct EntryRowView {
    bool visible = false;
    std::string label; // the "C/S" column
    int alert = 0;
    int vibrate = 0;
    int duty = 1; // 0 "Off", 1 "On"
};

// What the channel tab shows, the state it keeps between events, and every rule
// that decides what reaches the channel block. The Qt page only mirrors this and
// forwards the user's actions; all stores go to the edit image of the current
// channel and set `modified`.
// "Call 2 Tone 1", "Group Call 1": a tone box as messages name it.
std::string toneSlotName(ToneSlot s);

// The lines that name each used call (1..`calls`) whose two tones `after` holds too
// close together where `before` held other tones, with the tones `before` held where
// they moved; empty when none.
std::string sameCallCollision(const ConstChannelBlock& before, const ConstChannelBlock& after,
                              int calls, std::string_view systemName);

class ChannelTab {
public:
    ChannelTab(CodeplugState& state, EditorMessages& messages);

    // --- the view ---------------------------------------------------------------
    std::string frequencyText, frequencyAccepted;
    int bandwidth = 0;
    int squelch = 0;
    int toneSystem = 0;
    int codingOption = 0;
    int resetFunction = 0;
    std::string timerText, timerAccepted;
    bool timerVisible = false;
    std::array<ToneBoxView, kToneBoxes> tones;
    std::array<EntryRowView, kEntryRows> rows;
    bool dutyEnabled = false;
    std::string dutyLabel;

    // --- tab state ----------------------------------------------------------------
    int currentChannel() const { return channel_; }
    bool enterHandled() const { return enterHandled_; }
    bool toneSystemChanged() const { return toneSystemChanged_; }

    // --- what the host calls -------------------------------------------------------
    // Puts the length byte into every channel block the pager has (done once, when
    // the tab is created).
    void create();
    void setCurrentChannel(int channel);
    void updateDutyState();
    void showCallTones();
    void showGroupTones();
    void loadChannel();
    // Leaving the tab validates with the out-of-band warning suppressed.
    bool validateFrequency(bool suppressOutOfBandWarning = false);

    // --- the user's actions ---------------------------------------------------------
    void applyCodingOption();
    bool validateTone(ToneSlot slot);
    bool validateResetTimer();
    void stepResetTimer(bool up);
    void clearAllTones();

    void setBandwidth(int index);
    void setSquelch(int position);
    // A change that would snap two tones of one call together is refused with a
    // warning, unless `refuseCollisions` is false (a text import, which types the
    // text's own tones afterwards and judges the channel once they are all in).
    void setToneSystem(int index, bool refuseCollisions = true);
    void setCodingOption(int index);
    void setResetFunction(int index);
    void setAlert(int row, int index);
    void setVibrate(int row, int index);
    void setDuty(int row, int index);

    // Edit box events: Enter validates at once and marks it handled, so the focus
    // loss that follows does not validate (and warn) a second time. A tone the
    // user typed always gets the full checks, also right after a tone system
    // change. Returns whether the entry was accepted.
    enum class Box { Frequency, Timer, Tone };
    bool enterPressed(Box box, ToneSlot slot = {});
    void otherKeyPressed() { enterHandled_ = false; }
    void focusLost(Box box, ToneSlot slot = {});
    // Typing in a tone box: a value past 3,400 is rejected at once.
    void toneTextEdited(ToneSlot slot, const std::string& text);

    // Tone pickers: before one opens the tab names its box as the target; after an
    // OK the picker has stored the tone itself and the tab shows it.
    const ToneTable* beginPick(ToneSlot slot);
    void finishPick(ToneSlot slot, bool accepted);

    // The alert the row's Play button sounds.
    int rowAlert(int row) const { return rows[static_cast<std::size_t>(row)].alert; }

private:
    ChannelBlock block() { return ChannelBlock(state_.editImage, channel_); }
    ToneBoxView& box(ToneSlot s) { return tones[static_cast<std::size_t>(toneBoxIndex(s))]; }
    std::uint8_t bandCode() const;
    void storeEntryFlags(int row, std::uint8_t flags);
    void showEntry(int row);
    void refreshCopies();
    bool otherDutyOn(int row) const;
    bool spacingViolated(ToneSlot slot, double tone) const;
    // The line naming the copy of `slot` (under `option`) that `tone` would put too
    // close to the other tone of its call, or empty.
    std::string copyCollision(const CodingOption& option, ToneSlot slot, double tone) const;

    CodeplugState& state_;
    EditorMessages& messages_;
    int channel_ = 0;
    bool enterHandled_ = false;
    bool toneSystemChanged_ = false;
};

} // namespace quorl
