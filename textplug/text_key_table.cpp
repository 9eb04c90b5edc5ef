#include "textplug/text_key_table.h"

#include "codeplug/channel_block.h"
#include "codeplug/channel_option_lists.h"
#include "editors/channel_texts.h"
#include "editors/function_switch_tab.h"
#include "editors/user_data_texts.h"
#include "textplug/codeplug_fields.h"
#include "textplug/model_option_lists.h"
#include "textplug/text_fields.h"
#include "textplug/text_keys.h"

#include <span>

namespace quorl::textplug {

namespace txt = texts::channel;

namespace {

// The decoders' tone range, the same for every tone system.
constexpr double kLowestTone = 280;
constexpr double kHighestTone = 3400;

KeyRule map(std::string key, std::string description) {
    return {std::move(key), KeyKind::Map, {}, 0, 0, std::move(description)};
}
KeyRule value(std::string_view key, KeyKind kind, std::string description) {
    return {std::string(key), kind, {}, 0, 0, std::move(description)};
}
KeyRule item(std::string_view key, std::span<const std::string_view> items,
             std::string description) {
    return {std::string(key),      KeyKind::Item, {items.begin(), items.end()}, 0, 0,
            std::move(description)};
}
KeyRule onOff(std::string_view key, std::string description) {
    static constexpr std::string_view kWords[] = {keys::kOn, keys::kOff};
    return item(key, kWords, std::move(description));
}

std::vector<KeyRule> sections() {
    return {map(kIdentitySection, "The General tab; read-only: import keeps the base's identity."),
            map(kModelOptionsSection, "The Model Options tab."),
            map(kSwitchesSection, "The Function Switch tab, switches SW-A to SW-H."),
            map(kChannelsSection, "The channel tabs, F1 to F5.")};
}

std::vector<KeyRule> identity() {
    std::vector<KeyRule> out;
    for (const auto& key : keys::identityKeys())
        out.push_back(value(key, KeyKind::Text, "Read-only; taken from the base codeplug."));
    return out;
}

std::vector<KeyRule> modelOptions() {
    std::vector<KeyRule> out;
    for (const ModelOptionField& f : modelOptionFields()) {
        if (f.list)
            out.push_back(item(f.key, f.itemNames, "An item of the list."));
        else
            out.push_back(value(f.key, KeyKind::Number,
                                f.isPriorityScan
                                    ? "Seconds, as the Priority Scan Time box takes."
                                    : "Seconds, while Pager Alert Duration is Fixed."));
    }
    return out;
}

std::vector<KeyRule> switchKeys() {
    static constexpr std::string_view kChannels[] = {"F1", "F2", "F3", "F4", "F5"};
    return {value(keys::fromLabel(texts::kModeLabel), KeyKind::Text,
                  "The switch mode, as the list of the pager's model names it."),
            value(keys::fromLabel(texts::kAlertTypeLabel), KeyKind::Text,
                  "The alert type the mode offers."),
            value(keys::fromLabel(texts::kAnnouncementLabel), KeyKind::Text,
                  "The announcement the mode offers."),
            onOff(texts::kEnableDuty, "Whether the switch turns duty on and off."),
            onOff(texts::kPushToListen, "Push To Listen."),
            item(keys::kScan1, kChannels, "Only in the scan modes."),
            item(keys::kScan2, kChannels, "Only in the scan modes.")};
}

std::vector<KeyRule> channelKeys() {
    static const std::string kLevels[] = {falsingLevelName(0), falsingLevelName(1),
                                          falsingLevelName(2)};
    static const std::string_view kLevelNames[] = {kLevels[0], kLevels[1], kLevels[2]};
    std::vector<KeyRule> out{
        value(txt::kReceiverFrequency, KeyKind::Number, "MHz, within the pager's band."),
        item(txt::kBandwidth, options::kBandwidth, "kHz."),
        {std::string(txt::kSquelch),
         KeyKind::Position,
         {},
         1,
         options::kSquelchPositions,
         "1 (Tight) to 5 (Loose)."},
        item(txt::kToneSystem, options::kToneSystem, "The tone table tones snap to."),
        item(txt::kCodingOption, options::kCodingOption,
             "Decides which calls and group calls the channel uses."),
        item(txt::kResetFunction, options::kResetFunction, "What ends a received page."),
        value(txt::kResetTimer, KeyKind::Number,
              "Seconds; only for the reset functions that run on a timer."),
        item(txt::kToneTolerance, kLevelNames, "The falsing adjustment."),
        item(txt::kInterpageGapTime, kLevelNames, "The falsing adjustment.")};
    for (int row = 0; row < kEntryRows; ++row)
        out.push_back(map(keys::rowName(row), row < kCallCount
                                                  ? "A call address: two tones, alert, duty."
                                                  : "A group call: one tone, alert, duty."));
    return out;
}

std::vector<KeyRule> rowKeys(bool group) {
    const auto tone = [](std::string_view key) {
        return KeyRule{std::string(key),
                       KeyKind::Tone,
                       {},
                       kLowestTone,
                       kHighestTone,
                       "Hz with one decimal, or \"\" for none; a greyed copy follows its source."};
    };
    std::vector<KeyRule> out;
    if (group) {
        out.push_back(tone(keys::kGroupTone));
    } else {
        out.push_back(tone(txt::kTone1));
        out.push_back(tone(txt::kTone2));
    }
    out.push_back(item(txt::kAlert, options::kAlert, "The alert of a page to this entry."));
    out.push_back(item(txt::kVibrate, options::kVibrate, "The vibration pattern."));
    out.push_back(item(keys::kDuty, options::kDuty, "Whether the entry is on duty."));
    return out;
}

std::vector<KeyRule> named(std::vector<std::string> names, const char* description) {
    std::vector<KeyRule> out;
    for (auto& name : names)
        out.push_back(map(std::move(name), description));
    return out;
}

} // namespace

std::vector<KeyRule> keysBelow(const std::vector<std::string>& path) {
    switch (path.size()) {
    case 0:
        return sections();
    case 1:
        if (path[0] == kIdentitySection)
            return identity();
        if (path[0] == kModelOptionsSection)
            return modelOptions();
        if (path[0] == kSwitchesSection) {
            std::vector<std::string> names;
            for (int k = 0; k < kSwitchCount; ++k)
                names.push_back(keys::switchName(k));
            return named(std::move(names), "One function switch.");
        }
        if (path[0] == kChannelsSection) {
            std::vector<std::string> names;
            for (int ch = 0; ch < 5; ++ch)
                names.push_back(keys::channelName(ch));
            return named(std::move(names), "One channel; a single-channel pager has only F1.");
        }
        return {};
    case 2:
        return path[0] == kSwitchesSection ? switchKeys() : channelKeys();
    case 3:
        return path[0] == kChannelsSection ? rowKeys(path[2].starts_with(txt::kGroupRowPrefix))
                                           : std::vector<KeyRule>{};
    default:
        return {};
    }
}

} // namespace quorl::textplug
