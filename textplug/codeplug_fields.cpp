#include "textplug/codeplug_fields.h"

#include "codeplug/channel_option_lists.h"
#include "codeplug/coding_options.h"
#include "editors/channel_texts.h"
#include "editors/falsing_adjustment.h"
#include "editors/user_data_texts.h"
#include "textplug/editor_session.h"
#include "textplug/model_option_lists.h"
#include "textplug/text_keys.h"

#include <algorithm>
#include <memory>

namespace quorl::textplug {

namespace txt = texts::channel;

namespace {

std::string itemOrEmpty(const std::vector<std::string>& items, int selected) {
    return selected >= 0 && selected < static_cast<int>(items.size())
               ? items[static_cast<std::size_t>(selected)]
               : std::string();
}

// The identity fields hold whatever bytes the pager holds; a text shows them as
// printable ASCII, anything else as '?', so the text reads back as it was written.
std::string printable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            c = '?';
    return text;
}

class FieldList {
public:
    void add(std::vector<std::string> path, std::string value, std::string comment = {}) {
        fields.push_back({std::move(path), std::move(value), std::move(comment)});
    }
    std::vector<TextField> fields;
};

void addModelOptions(FieldList& out, const ModelOptionsTab& tab) {
    for (const ModelOptionField& f : modelOptionFields()) {
        std::string value;
        if (f.list)
            value = itemOrEmpty(f.items(), tab.selection(*f.list));
        else
            value = f.isPriorityScan ? tab.priorityScanText() : tab.alertDurationText();
        out.add({kModelOptionsSection, std::string(f.key)}, value);
    }
}

void addSwitches(FieldList& out, const FunctionSwitchTab& tab) {
    for (int k = 0; k < kSwitchCount; ++k) {
        const SwitchRow& r = tab.row(k);
        const std::string sw = keys::switchName(k);
        const auto add = [&](std::string_view key, std::string value) {
            out.add({kSwitchesSection, sw, std::string(key)}, std::move(value));
        };
        add(keys::fromLabel(texts::kModeLabel), itemOrEmpty(r.modeItems, r.modeSelected));
        add(keys::fromLabel(texts::kAlertTypeLabel), itemOrEmpty(r.alertItems, r.alertSelected));
        add(keys::fromLabel(texts::kAnnouncementLabel),
            itemOrEmpty(r.announcementItems, r.announcementSelected));
        add(texts::kEnableDuty, std::string(r.dutyChecked ? keys::kOn : keys::kOff));
        add(texts::kPushToListen, std::string(r.pushToListenChecked ? keys::kOn : keys::kOff));
        if (r.scanVisible) {
            add(keys::kScan1, itemOrEmpty(r.scan1Items, r.scan1Selected));
            add(keys::kScan2, itemOrEmpty(r.scan2Items, r.scan2Selected));
        }
    }
}

void addChannel(FieldList& out, EditorSession& session, int ch) {
    session.showChannel(ch);
    const ChannelTab& tab = session.channel;
    const std::string name = keys::channelName(ch);
    const auto add = [&](std::vector<std::string> keysBelow, std::string value,
                         std::string comment = {}) {
        keysBelow.insert(keysBelow.begin(), {kChannelsSection, name});
        out.add(std::move(keysBelow), std::move(value), std::move(comment));
    };
    const CodingOption& option = codingOption(tab.codingOption);
    // A greyed box follows its source; the text says which.
    const auto copyNote = [&](ToneSlot slot) {
        const auto source = copySource(option, slot);
        return source ? "follows " + toneSlotName(*source) : std::string();
    };
    add({std::string(txt::kReceiverFrequency)}, tab.frequencyText);
    add({std::string(txt::kBandwidth)},
        std::string(options::nameOf(options::kBandwidth, static_cast<std::size_t>(tab.bandwidth))));
    add({std::string(txt::kSquelch)}, std::to_string(tab.squelch + 1));
    add({std::string(txt::kToneSystem)},
        std::string(
            options::nameOf(options::kToneSystem, static_cast<std::size_t>(tab.toneSystem))));
    add({std::string(txt::kCodingOption)},
        std::string(
            options::nameOf(options::kCodingOption, static_cast<std::size_t>(tab.codingOption))));
    add({std::string(txt::kResetFunction)},
        std::string(
            options::nameOf(options::kResetFunction, static_cast<std::size_t>(tab.resetFunction))));
    if (tab.timerVisible)
        add({std::string(txt::kResetTimer)}, tab.timerText);
    const FalsingAdjustment falsing(session.state, ch);
    add({std::string(txt::kToneTolerance)}, falsingLevelName(falsing.toneTolerance()));
    add({std::string(txt::kInterpageGapTime)}, falsingLevelName(falsing.interpageGap()));

    for (int row = 0; row < kEntryRows; ++row) {
        const EntryRowView& r = tab.rows[static_cast<std::size_t>(row)];
        if (!r.visible)
            continue;
        const std::string rowName = keys::rowName(row);
        if (row < kCallCount) {
            for (const auto& [kind, key] :
                 {std::pair{ToneKind::Tone1, txt::kTone1}, std::pair{ToneKind::Tone2, txt::kTone2}})
                add({rowName, std::string(key)},
                    tab.tones[static_cast<std::size_t>(toneBoxIndex({kind, row + 1}))].text,
                    copyNote({kind, row + 1}));
        } else {
            const ToneSlot group{ToneKind::Group, row - kCallCount + 1};
            add({rowName, std::string(keys::kGroupTone)},
                tab.tones[static_cast<std::size_t>(toneBoxIndex(group))].text, copyNote(group));
        }
        add({rowName, std::string(txt::kAlert)},
            std::string(options::nameOf(options::kAlert, static_cast<std::size_t>(r.alert))));
        add({rowName, std::string(txt::kVibrate)},
            std::string(options::nameOf(options::kVibrate, static_cast<std::size_t>(r.vibrate))));
        add({rowName, std::string(keys::kDuty)},
            std::string(options::nameOf(options::kDuty, static_cast<std::size_t>(r.duty))));
    }
}

} // namespace

std::vector<TextField> identityFields(const GeneralTabTexts& g, int channelCount) {
    // In the order of identityKeys().
    const std::string values[] = {g.modelNumber,
                                  g.serialNumber,
                                  g.tanapa,
                                  g.bandSplit,
                                  g.intermediateFrequency,
                                  g.tcxo,
                                  g.codeplugVersion,
                                  g.firmwareVersion,
                                  std::string(texts::kChannelTypes[channelCount == 1 ? 0 : 1])};
    const auto names = keys::identityKeys();
    std::vector<TextField> out;
    for (std::size_t i = 0; i < names.size(); ++i)
        out.push_back({{kIdentitySection, names[i]}, printable(values[i])});
    return out;
}

std::string falsingLevelName(int position) {
    // A corrupt level 3 puts the slider at its end.
    switch (std::clamp(position, 0, 2)) {
    case 0:
        return std::string(txt::kLevelDefault);
    case 1:
        return std::string(txt::kLevel1);
    default:
        return std::string(txt::kLevel2);
    }
}

std::vector<TextField> codeplugFields(const CodeplugImage& image,
                                      const std::array<std::string, 5>& firmware) {
    auto scratch = std::make_unique<CodeplugState>();
    scratch->loadBoth(image);
    scratch->checkImage();
    scratch->firmwareVersion = firmware;
    EditorSession session(*scratch);
    FieldList out;
    out.fields = identityFields(session.general, session.channelCount());
    session.showModelOptions();
    addModelOptions(out, session.options);
    addSwitches(out, session.switches);
    for (int ch = 0; ch < session.channelCount(); ++ch)
        addChannel(out, session, ch);
    return std::move(out.fields);
}

} // namespace quorl::textplug
