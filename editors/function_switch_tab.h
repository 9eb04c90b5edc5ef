#pragma once

#include "codeplug/codeplug_state.h"
#include "codeplug/function_switch_block.h"
#include "editors/audition_port.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quorl {

// One framed row "SW-A".."SW-H" as the view shows it. Lists carry their items and
// the selected index (-1: nothing selected).
struct SwitchRow {
    std::vector<std::string> modeItems;
    int modeSelected = -1;
    std::vector<std::string> alertItems;
    int alertSelected = -1;
    std::vector<std::string> announcementItems;
    int announcementSelected = -1;
    bool dutyChecked = false;
    bool pushToListenChecked = false;
    bool alertEnabled = true;
    bool announcementEnabled = true;
    bool dutyEnabled = true;
    bool pushToListenEnabled = true;
    bool scanVisible = false;
    std::vector<std::string> scan1Items;
    int scan1Selected = -1;
    std::vector<std::string> scan2Items;
    int scan2Selected = -1;
    std::string priorityLabel;
    bool playEnabled = true;
    friend bool operator==(const SwitchRow&, const SwitchRow&) = default;
};

// The editing logic of the Function Switches tab over the eight switch entries. Every change goes
// to the edit image and sets `modified`.
class FunctionSwitchTab {
public:
    FunctionSwitchTab(CodeplugState& state, AuditionState& auditions)
        : state_(state), auditions_(auditions) {}

    // The tab opens: auditions are allowed again and the rows show the committed image.
    void open(bool cradleConnected);
    // The rows shown again from the committed image, leaving a sounding audition's lock.
    void show(bool cradleConnected);

    const SwitchRow& row(int k) const { return rows_.at(static_cast<std::size_t>(k)); }
    bool singleChannel() const { return singleChannel_; }

    void modeChanged(int k, int item);
    void alertTypeChanged(int k, int item);
    void announcementChanged(int k, int item);
    void dutyClicked(int k, bool checked);
    void pushToListenClicked(int k, bool checked);
    void scan1Changed(int k, int item);
    void scan2Opened(int k);
    void scan2Changed(int k, int item);
    // "Fill SW-C from" SW-`source`: row `k` takes every setting its controls set from
    // row `source`, as the edit image holds it. False when nothing changed.
    bool fillFrom(int k, int source);

    // Play Pager: disables every Play button, then gives the audition to send
    // (none while auditions are not allowed).
    std::optional<AuditionRequest> playPager(int k);
    // The audition timer (6) fired: auditions allowed again, Play buttons back
    // except on Disabled rows.
    void auditionFinished();
    void setPlayButtonsEnabled(bool enabled);
    void setCradleConnected(bool connected) { cradleConnected_ = connected; }

private:
    // Shows row `k` as `image` holds it: the committed image when the window opens,
    // the edit image after a fill.
    void fillRow(int k, const CodeplugImage& image);
    void fillScanLists(int k, const CodeplugImage& image);
    void applyModeEnabling(int k, int code);
    // The mode change rule for the alert list: a mode without Push To Listen
    // gives all three alert types back, with "Vibrate" chosen.
    void refillAlertsForMode(int k, int code, bool pushToListenWasOn);
    void fillAlertItems(int k, bool pushToListen);
    void refillScan2(int k);
    int modeCodeOf(int k, int item) const;
    SwitchEntry edit(int k) { return {state_.editImage, k}; }
    ConstSwitchEntry edit(int k) const { return {state_.editImage, k}; }
    // Rewrites an out-of-range code of the entry shown from `shown`: in both images
    // when opening, only in the edit image after a fill.
    template <typename Change> void repair(const CodeplugImage& shown, int k, Change change) {
        if (&shown == &state_.image)
            change(SwitchEntry(state_.image, k));
        change(SwitchEntry(state_.editImage, k));
    }

    CodeplugState& state_;
    AuditionState& auditions_;
    std::array<SwitchRow, kSwitchCount> rows_;
    bool singleChannel_ = false;
    bool cradleConnected_ = false;
};

// How long the pager takes for a switch audition of mode `mode` and alert `alert`.
int switchAuditionBaseMs(int mode, int alert);

} // namespace quorl
