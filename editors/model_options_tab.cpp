#include "editors/model_options_tab.h"

#include "editors/user_data_texts.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace quorl {

namespace {

constexpr std::uint32_t kOptions0 = 0x0210;
constexpr std::uint32_t kOptions1 = 0x0211;
constexpr std::uint32_t kScanTime = 0x0212;
constexpr std::uint32_t kAlertTime = 0x0213;
constexpr std::uint32_t kOptions2 = 0x0216;

struct ListField {
    std::uint32_t address;
    std::uint8_t mask;
    int shift;
};

// Where each list stores its code. The switch announcement list maps items to
// codes separately.
constexpr ListField kFields[kModelOptionListCount] = {
    {kOptions0, 0x07, 0}, // stored voice duration
    {kOptions0, 0x18, 3}, // function switch announcements
    {kOptions0, 0x20, 5}, // fixed volume page alert
    {kOptions0, 0x40, 6}, // alert duration mode
    {kOptions1, 0x10, 4}, // unread message reminder
    {kOptions1, 0x40, 6}, // privacy
    {kOptions1, 0x80, 7}, // always on
    {kOptions2, 0x01, 0}, // announcements type
    {kOptions2, 0x04, 2}, // priority tone alert
    {kOptions2, 0x08, 3}, // battery level announcement
    {kOptions0, 0x80, 7}, // auto deletion
};

// Items "Off", "On", "On & On Reset", "On Reset Only" stand for codes 0, 2, 3, 1.
constexpr int kAnnouncementCodeOfItem[4] = {0, 2, 3, 1};
constexpr int kAnnouncementItemOfCode[4] = {0, 3, 1, 2};

constexpr int kScanMin = 8, kScanMax = 255;   // x 8 ms
constexpr int kAlertMin = 1, kAlertMax = 255; // x 480 ms

// The number a box holds, in seconds; false when it is not a number at all.
bool parseSeconds(const std::string& text, double& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end != text.c_str();
}

} // namespace

std::string formatPriorityScan(int stored) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%1.3f", stored * 8 / 1000.0);
    return buf;
}

std::string formatAlertDuration(int stored) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", stored * 480 / 1000.0);
    return buf;
}

void ModelOptionsTab::setBits(std::uint32_t address, std::uint8_t mask, std::uint8_t value) {
    const auto old = state_.editImage.at(address);
    state_.editImage.set(address, static_cast<std::uint8_t>((old & ~mask) | (value & mask)));
}

void ModelOptionsTab::open() {
    CodeplugImage& img = state_.image;
    // An unknown stored voice duration shows as "Dynamic" and becomes code 4.
    if ((img.at(kOptions0) & 0x07) > 4) {
        for (CodeplugImage* i : {&state_.image, &state_.editImage})
            i->set(kOptions0, static_cast<std::uint8_t>((i->at(kOptions0) & ~0x07) | 4));
    }
    for (int l = 0; l < kModelOptionListCount; ++l) {
        const auto& f = kFields[l];
        selection_[l] = (img.at(f.address) & f.mask) >> f.shift;
    }
    selection_[static_cast<int>(ModelOptionList::SwitchAnnouncements)] =
        kAnnouncementItemOfCode[(img.at(kOptions0) >> 3) & 0x03];
    scanText_ = formatPriorityScan(img.at(kScanTime));
    alertText_ = formatAlertDuration(img.at(kAlertTime));
    img.set(0x0200, 0x5E);
    img.set(0x0201, 0x00);
    applyPriorityScanRule();
}

void ModelOptionsTab::applyPriorityScanRule() {
    scanEnabled_ = false;
    for (std::uint32_t k = 0; k < 8; ++k)
        if ((state_.editImage.at(0x0282 + 6 * k) & 0x0F) == 11)
            scanEnabled_ = true;
}

void ModelOptionsTab::select(ModelOptionList list, int item) {
    const int l = static_cast<int>(list);
    if (item < 0)
        return;
    int code = item;
    if (list == ModelOptionList::SwitchAnnouncements) {
        if (item > 3)
            return;
        code = kAnnouncementCodeOfItem[item];
    }
    const auto& f = kFields[l];
    if (code > (f.mask >> f.shift))
        return;
    selection_[l] = item;
    setBits(f.address, f.mask, static_cast<std::uint8_t>(code << f.shift));
    state_.modified = true;
}

void ModelOptionsTab::storePriorityScan(int value) {
    state_.editImage.set(kScanTime, static_cast<std::uint8_t>(value));
    scanText_ = formatPriorityScan(value);
}

void ModelOptionsTab::storeAlertDuration(int value) {
    state_.editImage.set(kAlertTime, static_cast<std::uint8_t>(value));
    alertText_ = formatAlertDuration(value);
}

void ModelOptionsTab::commitPriorityScanText(const std::string& typed) {
    state_.modified = true;
    double seconds = 0;
    if (!parseSeconds(typed, seconds) || seconds < 0.064 || seconds > 2.04) {
        messages_.warning(texts::kPriorityScanRangeWarning, texts::kPriorityScanCaption);
        return; // the box gets its last valid text back
    }
    const int stored = static_cast<int>(seconds * 1000.0 * 0.125);
    storePriorityScan(stored);
    if (stored > 64 && !slowWarningShown_) {
        messages_.warning(texts::kPriorityScanSlowWarning, texts::kPriorityScanCaption);
        slowWarningShown_ = true;
    }
}

void ModelOptionsTab::commitAlertDurationText(const std::string& typed) {
    state_.modified = true;
    double seconds = 0;
    if (!parseSeconds(typed, seconds) || seconds < 0.48 || seconds > 122.4) {
        messages_.warning(texts::kAlertDurationRangeWarning, texts::kAlertDurationCaption);
        return;
    }
    storeAlertDuration(static_cast<int>(seconds * 1000.0 / 480.0));
}

namespace {
// One step of a spin button over a box showing seconds: whole steps of `stepMs`
// between `min` and `max` steps, wrapping at both ends; from 0 up gives the
// minimum and down the maximum. Returns the new value in steps.
int spinSteps(const std::string& shown, bool up, int stepMs, int min, int max) {
    double seconds = 0;
    parseSeconds(shown, seconds);
    const int ms = static_cast<int>(seconds * 1000.0 + 0.5);
    int next = 0;
    if (ms == 0)
        next = up ? min * stepMs : max * stepMs;
    else if (up)
        next = ms >= max * stepMs ? min * stepMs : ms + stepMs;
    else
        next = ms <= min * stepMs ? max * stepMs : ms - stepMs;
    return next / stepMs;
}
} // namespace

void ModelOptionsTab::spinPriorityScan(bool up) {
    state_.modified = true;
    const int stored = spinSteps(scanText_, up, 8, kScanMin, kScanMax);
    storePriorityScan(stored);
    if (stored >= 65)
        messages_.warning(texts::kPriorityScanSlowWarning, texts::kPriorityScanCaption);
}

void ModelOptionsTab::spinAlertDuration(bool up) {
    state_.modified = true;
    storeAlertDuration(spinSteps(alertText_, up, 480, kAlertMin, kAlertMax));
}

bool ModelOptionsTab::acceptsCharacter(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.';
}

} // namespace quorl
