#include "editors/function_switch_tab.h"

#include "editors/user_data_texts.h"

namespace quorl {

namespace {

constexpr int kSingleChannelModes[3] = {0, 5, 13};
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

std::uint8_t FunctionSwitchTab::edit(int k, int offset) const {
    return state_.editImage.at(entryAddress(k) + static_cast<std::uint32_t>(offset));
}

void FunctionSwitchTab::setEdit(int k, int offset, std::uint8_t v) {
    state_.editImage.set(entryAddress(k) + static_cast<std::uint32_t>(offset), v);
}

void FunctionSwitchTab::repair(int k, int offset, std::uint8_t v) {
    const auto a = entryAddress(k) + static_cast<std::uint32_t>(offset);
    state_.image.set(a, v);
    state_.editImage.set(a, v);
}

int switchAuditionBaseMs(int mode, int alert) {
    int ms = mode <= 4 ? 3000 : mode <= 9 ? 2500 : 4000;
    if (alert > 2)
        ms += 1000;
    return ms;
}

void FunctionSwitchTab::open(bool cradleConnected) {
    cradleConnected_ = cradleConnected;
    auditions_.allow();
    singleChannel_ = state_.image.at(0x010D) == 1;
    for (int k = 0; k < kSwitchCount; ++k)
        fillRow(k);
    // Scan channel lists.
    const int channels = state_.image.at(0x010D);
    for (int k = 0; k < kSwitchCount; ++k) {
        SwitchRow& r = rows_[static_cast<std::size_t>(k)];
        const int mode = state_.image.at(entryAddress(k)) & 0x0F;
        r.scanVisible = !singleChannel_ && mode >= 10 && mode <= 12;
        r.scan1Items.clear();
        for (int c = 0; c < channels && c < 5; ++c)
            r.scan1Items.emplace_back(texts::kScanChannels[static_cast<std::size_t>(c)]);
        r.scan2Items = r.scan1Items;
        const auto a = entryAddress(k);
        if (state_.image.at(a + 1) > 5)
            repair(k, 1, 1);
        if (state_.image.at(a + 2) > 5)
            repair(k, 2, 2);
        r.scan1Selected = state_.image.at(a + 1) - 1;
        r.scan2Selected = state_.image.at(a + 2) - 1;
        if (r.scan1Selected >= static_cast<int>(r.scan1Items.size()))
            r.scan1Selected = -1;
        if (r.scan2Selected >= static_cast<int>(r.scan2Items.size()))
            r.scan2Selected = -1;
    }
    state_.image.set(0x0280, 0x3E);
    state_.image.set(0x0281, 0x00);
}

void FunctionSwitchTab::fillRow(int k) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    const auto a = entryAddress(k);
    std::uint8_t b0 = state_.image.at(a);
    // 1. Mode.
    if ((b0 & 0x0F) > 13) {
        b0 = static_cast<std::uint8_t>(b0 & 0x70);
        repair(k, 0, b0);
    }
    const int mode = b0 & 0x0F;
    r.modeItems.clear();
    if (singleChannel_) {
        for (int code : kSingleChannelModes)
            r.modeItems.emplace_back(texts::kSwitchModes[static_cast<std::size_t>(code)]);
        r.modeSelected = mode == 0 ? 0 : mode == 5 ? 1 : mode == 13 ? 2 : -1;
    } else {
        for (auto m : texts::kSwitchModes)
            r.modeItems.emplace_back(m);
        r.modeSelected = mode;
    }
    // 2. Announcement.
    r.announcementItems = {std::string(texts::kAnnouncementNames[0]),
                           std::string(texts::kAnnouncementNames[1]),
                           std::string(texts::kAnnouncementNames[2]) + static_cast<char>('A' + k)};
    std::uint8_t b3 = state_.image.at(a + 3);
    const int announcement = (b3 >> 4) & 0x03;
    if (announcement == 3) {
        b3 = static_cast<std::uint8_t>(b3 & 0x0F);
        repair(k, 3, b3);
        r.announcementSelected = -1;
    } else {
        r.announcementSelected = kAnnouncementItemOfCode[announcement];
    }
    // 3. Check boxes.
    r.dutyChecked = (b3 & 0x01) != 0;
    r.pushToListenChecked = (b3 & 0x02) != 0;
    // 4. Alert type.
    const int alert = (b0 >> 4) & 0x07;
    if (r.pushToListenChecked) {
        r.alertItems = {std::string(texts::kAlertTypes[1])};
        r.alertSelected = 0;
        if (alert != 1)
            repair(k, 0, static_cast<std::uint8_t>((b0 & 0x8F) | 0x10));
    } else {
        r.alertItems = allAlertItems();
        if (alert == 2 || alert > 3) {
            repair(k, 0, static_cast<std::uint8_t>(b0 & 0x8F));
            r.alertSelected = 0;
        } else {
            r.alertSelected = alertItemOfCode(alert);
        }
    }
    // 5. Enabling by mode, without touching the image.
    applyModeEnabling(k, mode);
}

void FunctionSwitchTab::applyModeEnabling(int k, int code) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    const bool selective = code <= 4;
    const bool monitor = code >= 5 && code <= 9;
    const bool probOrPriority = code == 10 || code == 11;
    const bool silent = code == 12;
    const bool disabled = code == kModeDisabled;
    r.alertEnabled = r.announcementEnabled = !disabled;
    r.dutyEnabled = r.pushToListenEnabled = selective || silent;
    if (monitor || probOrPriority)
        r.dutyChecked = r.pushToListenChecked = false;
    r.scanVisible = !singleChannel_ && (probOrPriority || silent);
    r.priorityLabel = code == kModePriorityScan ? std::string(texts::kPriority) : std::string();
    r.playEnabled = !disabled && auditions_.allowed() && cradleConnected_;
}

int FunctionSwitchTab::modeCodeOf(int, int item) const {
    if (singleChannel_)
        return item >= 0 && item < 3 ? kSingleChannelModes[item] : -1;
    return item >= 0 && item <= 13 ? item : -1;
}

void FunctionSwitchTab::modeChanged(int k, int item) {
    const int code = modeCodeOf(k, item);
    if (code < 0)
        return;
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    state_.modified = true;
    r.modeSelected = item;
    const bool pushToListenWasOn = r.pushToListenChecked;
    setEdit(k, 0, static_cast<std::uint8_t>((edit(k, 0) & 0xF0) | code));
    if (code >= 5 && code <= 11)
        setEdit(k, 3, static_cast<std::uint8_t>(edit(k, 3) & ~0x03));
    else
        setEdit(k, 3, static_cast<std::uint8_t>(edit(k, 3) & ~0x04));
    applyModeEnabling(k, code);
    if (code >= 5 && code <= 11 && pushToListenWasOn) {
        r.alertItems = allAlertItems();
        r.alertSelected = 1; // Vibrate
    }
}

void FunctionSwitchTab::alertTypeChanged(int k, int item) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    if (item < 0 || item >= static_cast<int>(r.alertItems.size()))
        return;
    state_.modified = true;
    r.alertSelected = item;
    // With Push To Listen the list holds "Vibrate" alone.
    const int code = r.alertItems.size() == 1 ? 1 : kAlertCodeOfItem[item];
    setEdit(k, 0, static_cast<std::uint8_t>((edit(k, 0) & 0x8F) | (code << 4)));
}

void FunctionSwitchTab::announcementChanged(int k, int item) {
    if (item < 0 || item > 2)
        return;
    state_.modified = true;
    rows_[static_cast<std::size_t>(k)].announcementSelected = item;
    setEdit(k, 3,
            static_cast<std::uint8_t>((edit(k, 3) & 0xCF) | (kAnnouncementCodeOfItem[item] << 4)));
}

void FunctionSwitchTab::dutyClicked(int k, bool checked) {
    state_.modified = true;
    rows_[static_cast<std::size_t>(k)].dutyChecked = checked;
    setEdit(k, 3, static_cast<std::uint8_t>((edit(k, 3) & ~0x01) | (checked ? 0x01 : 0)));
}

void FunctionSwitchTab::pushToListenClicked(int k, bool checked) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    state_.modified = true;
    r.pushToListenChecked = checked;
    setEdit(k, 3, static_cast<std::uint8_t>((edit(k, 3) & ~0x02) | (checked ? 0x02 : 0)));
    if (checked) {
        r.alertItems = {std::string(texts::kAlertTypes[1])};
        r.alertSelected = 0;
        setEdit(k, 0, static_cast<std::uint8_t>((edit(k, 0) & 0x8F) | 0x10));
    } else {
        r.alertItems = allAlertItems();
        const int code = (edit(k, 0) >> 4) & 0x07;
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
    setEdit(k, 1, static_cast<std::uint8_t>(first));
    refillScan2(k);
    const int second = first == 5 ? 1 : first + 1;
    setEdit(k, 2, static_cast<std::uint8_t>(second));
    r.scan2Selected = -1;
    const std::string name(texts::kScanChannels[static_cast<std::size_t>(second - 1)]);
    for (std::size_t i = 0; i < r.scan2Items.size(); ++i)
        if (r.scan2Items[i] == name)
            r.scan2Selected = static_cast<int>(i);
}

void FunctionSwitchTab::refillScan2(int k) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    const int first = edit(k, 1);
    const int channels = state_.editImage.at(0x010D);
    r.scan2Items.clear();
    for (int c = 1; c <= channels && c <= 5; ++c)
        if (c != first)
            r.scan2Items.emplace_back(texts::kScanChannels[static_cast<std::size_t>(c - 1)]);
}

void FunctionSwitchTab::scan2Opened(int k) {
    SwitchRow& r = rows_[static_cast<std::size_t>(k)];
    state_.modified = true;
    refillScan2(k);
    const std::string current(
        texts::kScanChannels[std::min<std::size_t>(4, edit(k, 2) ? edit(k, 2) - 1u : 0u)]);
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
            setEdit(k, 2, static_cast<std::uint8_t>(c + 1));
}

std::optional<AuditionRequest> FunctionSwitchTab::playPager(int k) {
    state_.modified = true;
    for (auto& r : rows_)
        r.playEnabled = false;
    if (!auditions_.allowed())
        return std::nullopt;
    const int mode = edit(k, 0) & 0x0F;
    const int alert = (edit(k, 0) >> 4) & 0x07;
    const std::uint8_t b3 = edit(k, 3);
    const bool male = (state_.editImage.at(0x0216) & 0x01) != 0;
    AuditionRequest req;
    req.durationMs = switchAuditionBaseMs(mode, alert);
    const int item = rows_[static_cast<std::size_t>(k)].announcementSelected;
    if (item == 0 || item == 1) {
        std::uint8_t option = male ? 0x80 : 0x00;
        if (item == 1) {
            option |= 0x04;
            const bool duty = (b3 & 0x01) != 0;
            const bool ptl = (b3 & 0x02) != 0;
            const bool privacy = (state_.editImage.at(0x0211) & 0x40) != 0;
            const bool priorityTone = (state_.editImage.at(0x0216) & 0x04) != 0;
            for (auto [on, bit] :
                 {std::pair{duty, 0x40}, {ptl, 0x20}, {privacy, 0x10}, {priorityTone, 0x08}})
                if (on) {
                    option = static_cast<std::uint8_t>(option | bit);
                    req.durationMs += 1000;
                }
        }
        req.command = 0xB6;
        req.parameters = {static_cast<std::uint8_t>(mode), edit(k, 1), edit(k, 2),
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
        r.playEnabled = enabled && (edit(k, 0) & 0x0F) != kModeDisabled;
    }
}

} // namespace quorl
