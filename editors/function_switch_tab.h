#pragma once

#include "codeplug/codeplug_state.h"
#include "editors/audition_port.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quorl {

inline constexpr int kSwitchCount = 8;
inline constexpr int kModeDisabled = 13;
inline constexpr int kModePriorityScan = 11;

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
};

// The editing logic of the Function Switches tab over the eight switch entries
// (0x0282 + 6 k). Every change goes to the edit image and sets `modified`.
class FunctionSwitchTab {
public:
    FunctionSwitchTab(CodeplugState& state, AuditionState& auditions)
        : state_(state), auditions_(auditions) {}

    void open(bool cradleConnected);

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

    // Play Pager: disables every Play button, then gives the audition to send
    // (none while auditions are not allowed).
    std::optional<AuditionRequest> playPager(int k);
    // The audition timer (6) fired: auditions allowed again, Play buttons back
    // except on Disabled rows.
    void auditionFinished();
    void setPlayButtonsEnabled(bool enabled);
    void setCradleConnected(bool connected) { cradleConnected_ = connected; }

    static std::uint32_t entryAddress(int k) { return 0x0282 + 6 * static_cast<std::uint32_t>(k); }

private:
    void fillRow(int k);
    void applyModeEnabling(int k, int code);
    void fillAlertItems(int k, bool pushToListen);
    void refillScan2(int k);
    int modeCodeOf(int k, int item) const;
    std::uint8_t edit(int k, int offset) const;
    void setEdit(int k, int offset, std::uint8_t v);
    // Rewrites a byte in both images (repairs of out-of-range codes).
    void repair(int k, int offset, std::uint8_t v);

    CodeplugState& state_;
    AuditionState& auditions_;
    std::array<SwitchRow, kSwitchCount> rows_;
    bool singleChannel_ = false;
    bool cradleConnected_ = false;
};

// How long the pager takes for a switch audition of mode `mode` and alert `alert`.
int switchAuditionBaseMs(int mode, int alert);

} // namespace quorl
