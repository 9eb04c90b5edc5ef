#include "editors/function_switch_tab.h"

#include "codeplug/general_block.h"
#include "codeplug/model_options_block.h"
#include "editors/user_data_texts.h"

namespace quorl {

namespace {

constexpr int kSingleChannelModes[3] = {switch_mode::kSelectiveCallF1, switch_mode::kMonitorF1,
                                        switch_mode::kDisabled};
// Announcement items "Standard", "Enhanced", custom stand for codes 2, 0, 1.
constexpr int kAnnouncementItemOfCode[3] = {1, 2, 0};
constexpr int kAnnouncementCodeOfItem[3] = {2, 0, 1};
// Alert type items "Tone", "Vibrate", "Tone & Vibrate" stand for codes 0, 1, 3.
constexpr int kAlertCodeOfItem[3] = {0, 1, 3};

std::vector<std::string> allAlertItems() {
    return {std::string(texts::kAlertTypes[0]), std::string(texts::kAlertTypes[1]),
            std::string(texts::kAlertTypes[3])};
}

int alertItemOfCode(int code) {
    return code == 3 ? 2 : code;
}

} // namespace

int switchAuditionBaseMs(int mode, int alert) {
    int ms = switch_mode::isSelectiveCall(mode) ? 3000 : switch_mode::isMonitor(mode) ? 2500 : 4000;
    if (alert > 2)
        ms += 1000;
    return ms;
}

void FunctionSwitchTab::open(bool cradleConnected) {
    auditions_.allow();
    show(cradleConnected);
}

void FunctionSwitchTab::show(bool cradleConnected) {
    cradleConnected_ = cradleConnected;
    singleChannel_ = GeneralBlock(state_.image).isSingleChannel();
    for (int k = 0; k < kSwitchCount; ++k) {
        fillRow(k, state_.image);
        fillScanLists(k, state_.image);
    }
    FunctionSwitchBlock(state_.image).setLengthBytes();
}

void FunctionSwitchTab::fillScanLists(int k, const CodeplugImage& image) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    const ConstSwitchEntry shown(image, k);
    const int channels = GeneralBlock(image).channelCount();
    r.scanVisible = !singleChannel_ && switch_mode::isScan(shown.mode());
    r.scan1Items.clear();
    for (int c = 0; c < channels && c < 5; ++c)
        r.scan1Items.emplace_back(texts::kScanChannels[static_cast<std::size_t>(c)]);
    r.scan2Items = r.scan1Items;
    if (shown.scan1() > 5)
        repair(image, k, [](SwitchEntry e) { e.setScan1(1); });
    if (shown.scan2() > 5)
        repair(image, k, [](SwitchEntry e) { e.setScan2(2); });
    r.scan1Selected = shown.scan1() - 1;
    r.scan2Selected = shown.scan2() - 1;
    if (r.scan1Selected >= static_cast<int>(r.scan1Items.size()))
        r.scan1Selected = -1;
    if (r.scan2Selected >= static_cast<int>(r.scan2Items.size()))
        r.scan2Selected = -1;
}

void FunctionSwitchTab::fillRow(int k, const CodeplugImage& image) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    const ConstSwitchEntry shown(image, k);
    // 1. Mode.
    if (shown.mode() > switch_mode::kHighest) {
        const auto b0 = static_cast<std::uint8_t>(shown.modeByte() & 0x70);
        repair(image, k, [b0](SwitchEntry e) { e.setModeByte(b0); });
    }
    const int mode = shown.mode();
    r.modeItems.clear();
    if (singleChannel_) {
        for (int code : kSingleChannelModes)
            r.modeItems.emplace_back(texts::kSwitchModes[static_cast<std::size_t>(code)]);
        r.modeSelected = mode == switch_mode::kSelectiveCallF1 ? 0
                         : mode == switch_mode::kMonitorF1     ? 1
                         : mode == switch_mode::kDisabled      ? 2
                                                               : -1;
    } else {
        for (auto m : texts::kSwitchModes)
            r.modeItems.emplace_back(m);
        r.modeSelected = mode;
    }
    // 2. Announcement.
    r.announcementItems = {std::string(texts::kAnnouncementNames[0]),
                           std::string(texts::kAnnouncementNames[1]),
                           std::string(texts::kAnnouncementNames[2]) + static_cast<char>('A' + k)};
    const int announcement = shown.announcement();
    if (announcement == 3) {
        const auto b3 = static_cast<std::uint8_t>(shown.optionByte() & 0x0F);
        repair(image, k, [b3](SwitchEntry e) { e.setOptionByte(b3); });
        r.announcementSelected = -1;
    } else {
        r.announcementSelected = kAnnouncementItemOfCode[announcement];
    }
    // 3. Check boxes.
    r.dutyChecked = shown.dutyEnabled();
    r.pushToListenChecked = shown.pushToListen();
    // 4. Alert type.
    const int alert = shown.alertType();
    if (r.pushToListenChecked) {
        r.alertItems = {std::string(texts::kAlertTypes[switch_alert::kVibrate])};
        r.alertSelected = 0;
        if (alert != switch_alert::kVibrate)
            repair(image, k, [](SwitchEntry e) { e.setAlertType(switch_alert::kVibrate); });
    } else {
        r.alertItems = allAlertItems();
        if (alert == 2 || alert > switch_alert::kToneAndVibrate) {
            repair(image, k, [](SwitchEntry e) { e.setAlertType(switch_alert::kTone); });
            r.alertSelected = 0;
        } else {
            r.alertSelected = alertItemOfCode(alert);
        }
    }
    // 5. Enabling by mode, as a mode change does, without touching the image.
    const bool pushToListen = r.pushToListenChecked;
    applyModeEnabling(k, mode);
    refillAlertsForMode(k, mode, pushToListen);
}

void FunctionSwitchTab::refillAlertsForMode(int k, int code, bool pushToListenWasOn) {
    if (!switch_mode::withoutDutyAndListen(code) || !pushToListenWasOn)
        return;
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    r.alertItems = allAlertItems();
    r.alertSelected = alertItemOfCode(switch_alert::kVibrate);
}

void FunctionSwitchTab::applyModeEnabling(int k, int code) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    const bool disabled = code == switch_mode::kDisabled;
    const bool noDutyOrListen = switch_mode::withoutDutyAndListen(code);
    r.alertEnabled = r.announcementEnabled = !disabled;
    r.dutyEnabled = r.pushToListenEnabled = !disabled && !noDutyOrListen;
    if (noDutyOrListen)
        r.dutyChecked = r.pushToListenChecked = false;
    r.scanVisible = !singleChannel_ && switch_mode::isScan(code);
    r.priorityLabel =
        code == switch_mode::kPriorityScan ? std::string(texts::kPriority) : std::string();
    r.playEnabled = !disabled && auditions_.allowed() && cradleConnected_;
}

int FunctionSwitchTab::modeCodeOf(int, int item) const {
    if (singleChannel_)
        return item >= 0 && item < 3 ? kSingleChannelModes[item] : -1;
    return item >= 0 && item <= switch_mode::kHighest ? item : -1;
}

void FunctionSwitchTab::modeChanged(int k, int item) {
    const int code = modeCodeOf(k, item);
    if (code < 0)
        return;
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    state_.modified = true;
    r.modeSelected = item;
    const bool pushToListenWasOn = r.pushToListenChecked;
    SwitchEntry e = edit(k);
    e.setMode(code);
    if (switch_mode::withoutDutyAndListen(code)) {
        e.setDutyEnabled(false);
        e.setPushToListen(false);
    } else {
        e.clearOptionBit2();
    }
    applyModeEnabling(k, code);
    refillAlertsForMode(k, code, pushToListenWasOn);
}

void FunctionSwitchTab::alertTypeChanged(int k, int item) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    if (item < 0 || item >= static_cast<int>(r.alertItems.size()))
        return;
    state_.modified = true;
    r.alertSelected = item;
    // With Push To Listen the list holds "Vibrate" alone.
    const int code = r.alertItems.size() == 1 ? switch_alert::kVibrate : kAlertCodeOfItem[item];
    edit(k).setAlertType(code);
}

void FunctionSwitchTab::announcementChanged(int k, int item) {
    if (item < 0 || item > 2)
        return;
    state_.modified = true;
    rows_[static_cast<std::size_t>(k)].announcementSelected = item;
    edit(k).setAnnouncement(kAnnouncementCodeOfItem[item]);
}

void FunctionSwitchTab::dutyClicked(int k, bool checked) {
    state_.modified = true;
    rows_[static_cast<std::size_t>(k)].dutyChecked = checked;
    edit(k).setDutyEnabled(checked);
}

void FunctionSwitchTab::pushToListenClicked(int k, bool checked) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    state_.modified = true;
    r.pushToListenChecked = checked;
    edit(k).setPushToListen(checked);
    if (checked) {
        r.alertItems = {std::string(texts::kAlertTypes[switch_alert::kVibrate])};
        r.alertSelected = 0;
        edit(k).setAlertType(switch_alert::kVibrate);
    } else {
        r.alertItems = allAlertItems();
        const int code = edit(k).alertType();
        r.alertSelected = code <= 2 ? code : -1; // the item whose index is the code
    }
}

void FunctionSwitchTab::scan1Changed(int k, int item) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    if (item < 0 || item >= static_cast<int>(r.scan1Items.size()))
        return;
    state_.modified = true;
    r.scan1Selected = item;
    const int first = item + 1;
    edit(k).setScan1(static_cast<std::uint8_t>(first));
    refillScan2(k);
    const int second = first == 5 ? 1 : first + 1;
    edit(k).setScan2(static_cast<std::uint8_t>(second));
    r.scan2Selected = -1;
    const std::string name(texts::kScanChannels[static_cast<std::size_t>(second - 1)]);
    for (std::size_t i = 0; i < r.scan2Items.size(); ++i)
        if (r.scan2Items[i] == name)
            r.scan2Selected = static_cast<int>(i);
}

void FunctionSwitchTab::refillScan2(int k) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    const int first = edit(k).scan1();
    const int channels = GeneralBlock(state_.editImage).channelCount();
    r.scan2Items.clear();
    for (int c = 1; c <= channels && c <= 5; ++c)
        if (c != first)
            r.scan2Items.emplace_back(texts::kScanChannels[static_cast<std::size_t>(c - 1)]);
}

void FunctionSwitchTab::scan2Opened(int k) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    state_.modified = true;
    refillScan2(k);
    const std::string current(texts::kScanChannels[std::min<std::size_t>(
        4, edit(k).scan2() ? edit(k).scan2() - 1u : 0u)]);
    r.scan2Selected = -1;
    for (std::size_t i = 0; i < r.scan2Items.size(); ++i)
        if (r.scan2Items[i] == current)
            r.scan2Selected = static_cast<int>(i);
}

void FunctionSwitchTab::scan2Changed(int k, int item) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    if (item < 0 || item >= static_cast<int>(r.scan2Items.size()))
        return;
    state_.modified = true;
    r.scan2Selected = item;
    const std::string& name = r.scan2Items[static_cast<std::size_t>(item)];
    for (std::size_t c = 0; c < texts::kScanChannels.size(); ++c)
        if (texts::kScanChannels[c] == name)
            edit(k).setScan2(static_cast<std::uint8_t>(c + 1));
}

bool FunctionSwitchTab::fillFrom(int k, int source) {
    if (k == source || k < 0 || source < 0 || k >= kSwitchCount || source >= kSwitchCount)
        return false;
    const ConstSwitchEntry from(state_.editImage, source);
    SwitchEntry to = edit(k);
    // What the row's controls set; bit 7 of the mode byte, bits 6 and 7 of the option
    // byte and bytes +4 and +5 belong to the switch itself.
    const auto mode = static_cast<std::uint8_t>((to.modeByte() & 0x80) | (from.modeByte() & 0x7F));
    const auto option =
        static_cast<std::uint8_t>((to.optionByte() & 0xC0) | (from.optionByte() & 0x3F));
    if (mode == to.modeByte() && option == to.optionByte() && from.scan1() == to.scan1() &&
        from.scan2() == to.scan2())
        return false;
    to.setModeByte(mode);
    to.setScan1(from.scan1());
    to.setScan2(from.scan2());
    to.setOptionByte(option);
    state_.modified = true;
    // Shown as opening the window on these bytes would show them.
    fillRow(k, state_.editImage);
    fillScanLists(k, state_.editImage);
    return true;
}

std::optional<AuditionRequest> FunctionSwitchTab::playPager(int k) {
    state_.modified = true;
    for (auto& r : rows_)
        r.playEnabled = false;
    if (!auditions_.allowed())
        return std::nullopt;
    const ConstSwitchEntry entry(state_.editImage, k);
    const int mode = entry.mode();
    const int alert = entry.alertType();
    const ConstModelOptionsBlock options(state_.editImage);
    const bool male = options.isOn(ModelOptionField::MaleAnnouncements);
    AuditionRequest req;
    req.durationMs = switchAuditionBaseMs(mode, alert);
    const int item = rows_[static_cast<std::size_t>(k)].announcementSelected;
    if (item == 0 || item == 1) {
        std::uint8_t option = male ? 0x80 : 0x00;
        if (item == 1) {
            option |= 0x04;
            const bool duty = entry.dutyEnabled();
            const bool ptl = entry.pushToListen();
            const bool privacy = options.isOn(ModelOptionField::Privacy);
            const bool priorityTone = options.isOn(ModelOptionField::PriorityToneAlert);
            for (auto [on, bit] :
                 {std::pair{duty, 0x40}, {ptl, 0x20}, {privacy, 0x10}, {priorityTone, 0x08}})
                if (on) {
                    option = static_cast<std::uint8_t>(option | bit);
                    req.durationMs += 1000;
                }
        }
        req.command = 0xB6;
        req.parameters = {static_cast<std::uint8_t>(mode), entry.scan1(), entry.scan2(),
                          static_cast<std::uint8_t>(alert), option};
    } else if (item == 2) {
        req.command = 0xB0;
        req.parameters = {static_cast<std::uint8_t>(5 + k)};
        req.durationMs = 4000;
    } else {
        return std::nullopt; // no announcement selected: nothing to play
    }
    return req;
}

void FunctionSwitchTab::auditionFinished() {
    auditions_.allow();
    setPlayButtonsEnabled(cradleConnected_);
}

void FunctionSwitchTab::setPlayButtonsEnabled(bool enabled) {
    for (int k = 0; k < kSwitchCount; ++k) {
        SwitchRow& r = rows_[static_cast<std::size_t>(k)];
        r.playEnabled = enabled && edit(k).mode() != switch_mode::kDisabled;
    }
}

} // namespace quorl
