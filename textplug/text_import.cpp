#include "textplug/text_import.h"

#include "base/decimal_text.h"
#include "codeplug/channel_option_lists.h"
#include "codeplug/checksums.h"
#include "codeplug/coding_options.h"
#include "codeplug/tone_encoding.h"
#include "editors/channel_texts.h"
#include "editors/falsing_adjustment.h"
#include "editors/user_data_texts.h"
#include "textplug/codeplug_fields.h"
#include "textplug/editor_session.h"
#include "textplug/model_option_lists.h"
#include "textplug/text_format.h"
#include "textplug/text_keys.h"
#include "textplug/textplug_texts.h"

#include <algorithm>
#include <memory>
#include <set>
#include <tuple>

namespace quorl::textplug {

namespace txt = texts::channel;

namespace {

// The longest text each box takes.
constexpr std::size_t kFrequencyBox = 11;
constexpr std::size_t kToneBox = 6;
constexpr std::size_t kTimerBox = 6;
constexpr std::size_t kSecondsBox = 7;

// A message box text on one line: its line breaks become blanks, and the blanks
// the boxes pad with are dropped.
std::string oneLine(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// Warnings after which the editors keep the value.
bool isAdvice(std::string_view message) {
    return message == texts::kPriorityScanSlowWarning || message == txt::kOutOfBand;
}

std::vector<std::string> names(std::span<const std::string_view> list) {
    return {list.begin(), list.end()};
}

std::string quotedList(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& item : items) {
        if (!out.empty())
            out += ", ";
        out += '"' + item + '"';
    }
    return out;
}

std::string shownOrEmpty(const std::string& text) {
    return text.empty() ? std::string("empty") : text;
}

class TextApplier {
public:
    TextApplier(const ParsedText& text, EditorSession& session, ImportOptions options,
                ImportResult& result)
        : text_(text), s_(session), options_(options), result_(result) {}

    void run() {
        for (const char* section :
             {kIdentitySection, kModelOptionsSection, kSwitchesSection, kChannelsSection})
            if (!options_.partial && !text_.containers.contains(pathKey({section})))
                result_.errors.push_back({{}, section, std::string(msg::kMissingSection)});
        applyIdentity();
        applySwitches();
        applyModelOptions();
        for (int ch = 0; ch < s_.channelCount(); ++ch)
            applyChannel(ch);
        for (int ch = s_.channelCount(); ch < layout::kChannelCount; ++ch)
            refuseContainer({kChannelsSection, keys::channelName(ch)},
                            std::string(msg::kSingleChannel));
        for (const auto& [key, v] : text_.values)
            if (!consumed_.contains(key))
                error(v, std::string(msg::kNotShown));
    }

private:
    using Path = std::vector<std::string>;

    // --- finding values ------------------------------------------------------------
    const TextValue* take(const Path& path) {
        const auto key = pathKey(path);
        const auto it = text_.values.find(key);
        if (it != text_.values.end()) {
            consumed_.insert(key);
            s_.messages.take(); // nothing shown before this value counts against it
            return &it->second;
        }
        // A missing section was reported once, and so was a value of the wrong
        // kind or a map that is not one; they are not listed again as missing.
        for (Path p = path; !p.empty(); p.pop_back())
            if (text_.refused.contains(pathKey(p)))
                return nullptr;
        if (options_.partial || !text_.containers.contains(pathKey({path.front()})))
            return nullptr;
        // A whole channel, switch or call left out is one message, not one per value.
        for (std::size_t depth = 2; depth < path.size(); ++depth) {
            const Path map(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(depth));
            if (text_.containers.contains(pathKey(map)))
                continue;
            if (missingMaps_.insert(pathKey(map)).second)
                result_.errors.push_back(
                    {markNear(map), fieldName(map), std::string(msg::kMissingMap)});
            return nullptr;
        }
        result_.errors.push_back(
            {markNear(path), fieldName(path), std::string(msg::kMissingValue)});
        return nullptr;
    }

    // Where a missing value would have stood: its nearest enclosing map.
    TextMark markNear(Path path) const {
        while (path.size() > 1) {
            path.pop_back();
            const auto it = text_.containers.find(pathKey(path));
            if (it != text_.containers.end())
                return it->second;
        }
        return {};
    }

    // A value the editors do not show here: an error when the text gives it.
    void refuseIfPresent(const Path& path, const std::string& why) {
        const auto key = pathKey(path);
        const auto it = text_.values.find(key);
        if (it == text_.values.end())
            return;
        consumed_.insert(key);
        error(it->second, why);
    }

    // A whole map the editors do not show: one error, and its values are spent.
    void refuseContainer(const Path& path, const std::string& why) {
        const auto key = pathKey(path);
        const auto it = text_.containers.find(key);
        if (it == text_.containers.end())
            return;
        result_.errors.push_back({it->second, fieldName(path), why});
        for (const auto& [k, v] : text_.values)
            if (k.starts_with(key))
                consumed_.insert(k);
    }

    void error(const TextValue& v, std::string message) {
        result_.errors.push_back({v.mark, fieldName(v.path), std::move(message)});
    }
    void note(const TextValue& v, std::string message) {
        result_.notes.push_back({v.mark, fieldName(v.path), std::move(message)});
    }

    // What the editors said about `v`: refusals are errors, advice and the
    // editors' own corrections are notes.
    void reportMessages(const TextValue& v, bool adjustmentsOnly = false) {
        for (const std::string& m : s_.messages.take()) {
            if (adjustmentsOnly || isAdvice(m))
                note(v, oneLine(m));
            else
                error(v, oneLine(m));
        }
    }

    // The box shows something else than was written: the editors adjusted it.
    void noteIfAdjusted(const TextValue& v, const std::string& shown) {
        if (!sameValue(v.value, shown))
            note(v, std::string(msg::kTakenAs) + " " + shownOrEmpty(shown));
    }

    // A number as a person could type it into a box of `width` characters.
    bool typeable(const TextValue& v, std::size_t width) {
        if (!parseDecimalText(v.value)) {
            error(v, std::string(msg::kNotANumber));
            return false;
        }
        if (v.value.size() > width) {
            error(v, std::string(msg::kTooLong) + " (" + std::to_string(width) + " characters)");
            return false;
        }
        return true;
    }

    // The index of the written item; an empty value leaves a list that shows
    // nothing as it is.
    std::optional<int> item(const TextValue& v, const std::vector<std::string>& items,
                            int current) {
        if (v.value.empty() && current < 0)
            return current;
        const auto it = std::find(items.begin(), items.end(), v.value);
        if (it == items.end()) {
            error(v, items.empty() ? std::string(msg::kNotAnItem) + std::string(msg::kEmptyList)
                                   : std::string(msg::kNotAnItem) + ": " + quotedList(items));
            return std::nullopt;
        }
        return static_cast<int>(it - items.begin());
    }

    std::optional<bool> onOff(const TextValue& v) {
        if (v.value == keys::kOn)
            return true;
        if (v.value == keys::kOff)
            return false;
        error(v, std::string(msg::kExpectedOnOff));
        return std::nullopt;
    }

    // --- sections ----------------------------------------------------------------------
    void applyIdentity() {
        const auto firmwareKey = keys::fromLabel(texts::kFirmwareLabel);
        for (const TextField& f : identityFields(s_.general, s_.channelCount())) {
            const TextValue* v = take(f.path);
            // The firmware belongs to a pager read, not to the codeplug.
            if (v && f.path.back() != firmwareKey && v->value != f.value)
                note(*v, std::string(msg::kIdentityFromBase) + " \"" + f.value + "\"");
        }
    }

    void applySwitches() {
        FunctionSwitchTab& tab = s_.switches;
        for (int k = 0; k < kSwitchCount; ++k) {
            const auto path = [&](std::string_view key) {
                return Path{kSwitchesSection, keys::switchName(k), std::string(key)};
            };
            const SwitchRow& r = tab.row(k);
            const auto modeName = [&] {
                return r.modeSelected >= 0 && r.modeSelected < static_cast<int>(r.modeItems.size())
                           ? r.modeItems[static_cast<std::size_t>(r.modeSelected)]
                           : std::string();
            };
            if (const TextValue* v = take(path(keys::fromLabel(texts::kModeLabel))))
                if (const auto i = item(*v, r.modeItems, r.modeSelected); i && *i != r.modeSelected)
                    tab.modeChanged(k, *i);

            // Push To Listen first: it decides which alert types the list offers.
            for (const bool pushToListen : {true, false}) {
                const TextValue* v =
                    take(path(pushToListen ? texts::kPushToListen : texts::kEnableDuty));
                const auto on = v ? onOff(*v) : std::nullopt;
                const bool checked = pushToListen ? r.pushToListenChecked : r.dutyChecked;
                if (!on || *on == checked)
                    continue;
                if (!(pushToListen ? r.pushToListenEnabled : r.dutyEnabled))
                    error(*v, std::string(msg::kDisabledInMode) + " " + modeName());
                else if (pushToListen)
                    tab.pushToListenClicked(k, *on);
                else
                    tab.dutyClicked(k, *on);
            }

            // The two lists a Disabled switch greys.
            const auto chooseIn = [&](std::string_view label, const std::vector<std::string>& items,
                                      int selected, bool enabled, auto change) {
                const TextValue* v = take(path(keys::fromLabel(label)));
                const auto i = v ? item(*v, items, selected) : std::nullopt;
                if (!i || *i == selected)
                    return;
                if (enabled)
                    (tab.*change)(k, *i);
                else
                    error(*v, std::string(msg::kDisabledInMode) + " " + modeName());
            };
            chooseIn(texts::kAlertTypeLabel, r.alertItems, r.alertSelected, r.alertEnabled,
                     &FunctionSwitchTab::alertTypeChanged);
            chooseIn(texts::kAnnouncementLabel, r.announcementItems, r.announcementSelected,
                     r.announcementEnabled, &FunctionSwitchTab::announcementChanged);

            if (!r.scanVisible) {
                const std::string why(tab.singleChannel() ? msg::kScanSingleChannel
                                                          : msg::kScanHidden);
                refuseIfPresent(path(keys::kScan1), why);
                refuseIfPresent(path(keys::kScan2), why);
                continue;
            }
            if (const TextValue* v = take(path(keys::kScan1)))
                if (const auto i = item(*v, r.scan1Items, r.scan1Selected);
                    i && *i != r.scan1Selected)
                    tab.scan1Changed(k, *i);
            if (const TextValue* v = take(path(keys::kScan2))) {
                const bool same =
                    r.scan2Selected >= 0 &&
                    r.scan2Selected < static_cast<int>(r.scan2Items.size()) &&
                    r.scan2Items[static_cast<std::size_t>(r.scan2Selected)] == v->value;
                if (!same) {
                    tab.scan2Opened(k);
                    if (const auto i = item(*v, r.scan2Items, r.scan2Selected))
                        tab.scan2Changed(k, *i);
                }
            }
        }
    }

    void applyModelOptions() {
        ModelOptionsTab& tab = s_.options;
        s_.showModelOptions();
        for (const ModelOptionField& f : modelOptionFields()) {
            const TextValue* v = take({kModelOptionsSection, std::string(f.key)});
            if (!v)
                continue;
            if (f.list) {
                const int current = tab.selection(*f.list);
                if (const auto i = item(*v, f.items(), current); i && *i != current)
                    tab.select(*f.list, *i);
                continue;
            }
            const std::string& shown =
                f.isPriorityScan ? tab.priorityScanText() : tab.alertDurationText();
            if (sameValue(v->value, shown) || !typeable(*v, kSecondsBox))
                continue;
            // The box is greyed or hidden while nothing uses the value, but the
            // pager keeps it; it is taken under its range rule, with a note.
            if (f.isPriorityScan && !tab.priorityScanEnabled())
                note(*v, std::string(msg::kPriorityScanDisabled) + " " +
                             std::string(texts::kNoPriorityScanNote) + "; " +
                             std::string(msg::kKeptForLater));
            if (!f.isPriorityScan && !tab.alertDurationVisible())
                note(*v, std::string(msg::kAlertDurationHidden) + "; " +
                             std::string(msg::kKeptForLater));
            if (f.isPriorityScan)
                tab.commitPriorityScanText(v->value);
            else
                tab.commitAlertDurationText(v->value);
            const std::size_t errorsBefore = result_.errors.size();
            reportMessages(*v);
            if (result_.errors.size() == errorsBefore)
                noteIfAdjusted(*v,
                               f.isPriorityScan ? tab.priorityScanText() : tab.alertDurationText());
        }
    }

    // A combo of the channel tab: the written item, when it differs from `current`.
    std::optional<int> changedItem(const Path& path, std::span<const std::string_view> items,
                                   int current) {
        const TextValue* v = take(path);
        if (!v)
            return std::nullopt;
        const auto i = item(*v, names(items), current);
        return i && *i != current ? i : std::nullopt;
    }

    void applyChannel(int ch) {
        s_.showChannel(ch);
        s_.markOpened(ch);
        ChannelTab& tab = s_.channel;
        const std::string name = keys::channelName(ch);
        const auto path = [&](std::initializer_list<std::string_view> below) {
            Path p{kChannelsSection, name};
            for (auto b : below)
                p.emplace_back(b);
            return p;
        };

        if (const TextValue* v = take(path({txt::kReceiverFrequency})))
            if (!sameValue(v->value, tab.frequencyText) && typeable(*v, kFrequencyBox)) {
                tab.frequencyText = v->value;
                const bool accepted = tab.enterPressed(ChannelTab::Box::Frequency);
                reportMessages(*v);
                if (accepted)
                    noteIfAdjusted(*v, tab.frequencyText);
            }
        if (const auto i = changedItem(path({txt::kBandwidth}), options::kBandwidth, tab.bandwidth))
            tab.setBandwidth(*i);
        if (const TextValue* v = take(path({txt::kSquelch}))) {
            const auto position = parseDecimalText(v->value);
            if (!position || v->value.find('.') != std::string::npos || *position < 1 ||
                *position > options::kSquelchPositions)
                error(*v, std::string(msg::kSquelchRange));
            else if (static_cast<int>(*position) - 1 != tab.squelch)
                tab.setSquelch(static_cast<int>(*position) - 1);
        }
        if (const auto i = changedItem(path({txt::kResetFunction}), options::kResetFunction,
                                       tab.resetFunction))
            tab.setResetFunction(*i);
        if (!tab.timerVisible) {
            refuseIfPresent(path({txt::kResetTimer}), std::string(msg::kResetTimerHidden));
        } else if (const TextValue* v = take(path({txt::kResetTimer}))) {
            if (!sameValue(v->value, tab.timerText) && typeable(*v, kTimerBox)) {
                tab.timerText = v->value;
                const bool accepted = tab.enterPressed(ChannelTab::Box::Timer);
                reportMessages(*v);
                if (accepted)
                    noteIfAdjusted(*v, tab.timerText);
            }
        }
        if (const auto i =
                changedItem(path({txt::kToneSystem}), options::kToneSystem, tab.toneSystem)) {
            // The text's own tones are typed below; the channel's calls are judged
            // once they are all in, snapped tones included.
            tab.setToneSystem(*i, false);
            s_.messages.take();
        }
        if (const TextValue* v = take(path({txt::kCodingOption})))
            if (const auto i = item(*v, names(options::kCodingOption), tab.codingOption);
                i && *i != tab.codingOption) {
                tab.setCodingOption(*i);
                reportMessages(*v, true); // the editors put Call 1 on duty themselves
            }
        applyFalsing(ch, path);
        applyRows(name, path);
    }

    template <typename PathOf> void applyFalsing(int ch, const PathOf& path) {
        const std::vector<std::string> levels{falsingLevelName(0), falsingLevelName(1),
                                              falsingLevelName(2)};
        for (const bool tolerance : {true, false}) {
            const TextValue* v =
                take(path({tolerance ? txt::kToneTolerance : txt::kInterpageGapTime}));
            FalsingAdjustment falsing(s_.state, ch);
            // A corrupt level 3 shows at the slider's end.
            const int shown =
                std::min(2, tolerance ? falsing.toneTolerance() : falsing.interpageGap());
            const auto i = v ? item(*v, levels, shown) : std::nullopt;
            if (!i || *i == shown)
                continue;
            if (tolerance)
                falsing.setToneTolerance(*i);
            else
                falsing.setInterpageGap(*i);
            falsing.accept();
        }
    }

    // One typed tone. On a first try a tone that was refused for its spacing, or
    // matched to a partner, is left unreported (false): its partner in the text
    // may still hold the base's value, and the second try sees the new one.
    bool typeTone(ToneSlot slot, const TextValue& v, bool lastTry) {
        ChannelTab& tab = s_.channel;
        ToneBoxView& box = tab.tones[static_cast<std::size_t>(toneBoxIndex(slot))];
        if (sameValue(v.value, box.text) || (!v.value.empty() && !typeable(v, kToneBox)))
            return true;
        s_.messages.take();
        box.text = v.value;
        typed_ = true;
        const bool accepted = tab.enterPressed(ChannelTab::Box::Tone, slot);
        if (!lastTry) {
            const auto shown = s_.messages.take();
            // The spacing warning, alone or naming the copy that collided.
            const bool spacing = std::any_of(shown.begin(), shown.end(), [](const std::string& m) {
                return m.starts_with(txt::kToneSpacing);
            });
            if ((!accepted && spacing) || (accepted && !sameValue(v.value, box.text)))
                return false;
            for (const auto& m : shown)
                (accepted || isAdvice(m) ? result_.notes : result_.errors)
                    .push_back({v.mark, fieldName(v.path), oneLine(m)});
            return true;
        }
        reportMessages(v);
        if (accepted)
            noteIfAdjusted(v, box.text);
        return true;
    }

    template <typename PathOf> void applyRows(const std::string& channelName, const PathOf& path) {
        ChannelTab& tab = s_.channel;
        const CodingOption& option = codingOption(tab.codingOption);
        std::vector<std::pair<ToneSlot, const TextValue*>> own, copied;
        std::vector<std::pair<int, const TextValue*>> duties;
        for (int row = 0; row < kEntryRows; ++row) {
            const std::string rowName = keys::rowName(row);
            if (!tab.rows[static_cast<std::size_t>(row)].visible) {
                refuseContainer({kChannelsSection, channelName, rowName},
                                std::string(msg::kRowNotUsed) + " " + std::string(option.name));
                continue;
            }
            std::vector<std::pair<ToneSlot, std::string_view>> slots;
            if (row < kCallCount)
                slots = {{{ToneKind::Tone1, row + 1}, txt::kTone1},
                         {{ToneKind::Tone2, row + 1}, txt::kTone2}};
            else
                slots = {{{ToneKind::Group, row - kCallCount + 1}, keys::kGroupTone}};
            for (const auto& [slot, key] : slots)
                if (const TextValue* v = take(path({rowName, key})))
                    (copySource(option, slot) ? copied : own).emplace_back(slot, v);
        }

        // A call's two tones go in together: when the text changes both, Tone 2 is
        // emptied first, so a swap (1000/1100 to 1100/1000) never meets the old
        // value of its partner. A refusal of either still refuses the whole text.
        const auto changes = [&](ToneSlot slot) {
            for (const auto& [s, v] : own)
                if (s == slot)
                    return !sameValue(v->value,
                                      tab.tones[static_cast<std::size_t>(toneBoxIndex(s))].text);
            return false;
        };
        for (int call = 1; call <= option.calls; ++call) {
            const ToneSlot tone2{ToneKind::Tone2, call};
            if (changes({ToneKind::Tone1, call}) && changes(tone2)) {
                tab.tones[static_cast<std::size_t>(toneBoxIndex(tone2))].text.clear();
                tab.validateTone(tone2);
                typed_ = true;
            }
        }

        // Own tones in screen order; a tone refused or matched only because another
        // tone still holds the base's value gets a second try.
        std::vector<std::pair<ToneSlot, const TextValue*>> retry;
        for (const auto& [slot, v] : own)
            if (!typeTone(slot, *v, false))
                retry.emplace_back(slot, v);
        for (const auto& [slot, v] : retry)
            typeTone(slot, *v, true);
        // A cleared tone leaves its copies until the channel is laid out again, as
        // the window does when the tab is next shown; do that now so the copies
        // follow their sources.
        if (typed_) {
            s_.messages.take();
            tab.applyCodingOption();
            for (const std::string& m : s_.messages.take())
                result_.notes.push_back(
                    {markNear({kChannelsSection, channelName, "x"}), channelName, oneLine(m)});
            typed_ = false;
        }

        // Every tone a call got (typed, copied or moved by a new tone system's snap)
        // keeps the two tones of the call apart.
        const std::string collision = sameCallCollision(
            ConstChannelBlock(s_.openedImage(), tab.currentChannel()),
            ConstChannelBlock(s_.state.editImage, tab.currentChannel()), option.calls,
            options::nameOf(options::kToneSystem, static_cast<std::size_t>(tab.toneSystem)));
        if (!collision.empty())
            result_.errors.push_back({markNear({kChannelsSection, channelName, "x"}), channelName,
                                      oneLine(std::string(txt::kToneSpacing) + collision)});

        // A greyed box cannot be typed into; it must agree with its source. Left as
        // exported while its source changed, it follows the source as in the window.
        for (const auto& [slot, v] : copied) {
            const auto& box = tab.tones[static_cast<std::size_t>(toneBoxIndex(slot))];
            if (sameValue(v->value, box.text))
                continue;
            const std::string follows = std::string(msg::kCopiedTone) + " " +
                                        toneSlotName(*copySource(option, slot)) + " under " +
                                        std::string(option.name);
            const auto exported =
                ConstChannelBlock(s_.openedImage(), tab.currentChannel()).tone(slot).tenthsHz;
            if (sameValue(v->value, exported == 0 ? std::string() : formatTone(exported)))
                note(*v,
                     follows + "; " + std::string(msg::kTakenAs) + " " + shownOrEmpty(box.text));
            else
                error(*v, follows + ", which is " + shownOrEmpty(box.text));
        }

        for (int row = 0; row < kEntryRows; ++row) {
            const EntryRowView& r = tab.rows[static_cast<std::size_t>(row)];
            if (!r.visible)
                continue;
            const std::string rowName = keys::rowName(row);
            if (const auto i = changedItem(path({rowName, txt::kAlert}), options::kAlert, r.alert))
                tab.setAlert(row, *i);
            if (const auto i =
                    changedItem(path({rowName, txt::kVibrate}), options::kVibrate, r.vibrate))
                tab.setVibrate(row, *i);
            if (const TextValue* v = take(path({rowName, keys::kDuty})))
                duties.emplace_back(row, v);
        }
        // Entries go on duty before others go off, so the pager is never left with
        // none on the way.
        std::vector<std::tuple<int, const TextValue*, int>> wanted;
        for (const auto& [row, v] : duties) {
            const int current = tab.rows[static_cast<std::size_t>(row)].duty;
            if (const auto i = item(*v, names(options::kDuty), current); i && *i != current) {
                if (tab.dutyEnabled)
                    wanted.emplace_back(row, v, *i);
                else
                    error(*v, std::string(txt::kDutyDisabled));
            }
        }
        for (const int pass : {1, 0})
            for (const auto& [row, v, duty] : wanted)
                if (duty == pass) {
                    s_.messages.take();
                    tab.setDuty(row, duty);
                    reportMessages(*v);
                }
    }

    const ParsedText& text_;
    EditorSession& s_;
    ImportOptions options_;
    ImportResult& result_;
    std::set<std::string> consumed_;
    std::set<std::string> missingMaps_; // maps reported missing, by pathKey()
    bool typed_ = false;                // a tone was entered in the channel being applied
};

void sortByPlace(std::vector<TextProblem>& list) {
    std::stable_sort(list.begin(), list.end(), [](const TextProblem& a, const TextProblem& b) {
        return a.mark.line != b.mark.line ? a.mark.line < b.mark.line
                                          : a.mark.column < b.mark.column;
    });
}

} // namespace

bool refusedOnlyForMissingValues(const ImportResult& result) {
    return !result.errors.empty() &&
           std::all_of(result.errors.begin(), result.errors.end(), [](const TextProblem& e) {
               return e.message == msg::kMissingValue || e.message == msg::kMissingMap ||
                      e.message == msg::kMissingSection;
           });
}

ImportResult importCodeplugText(std::string_view text, const CodeplugImage& base,
                                ImportOptions options) {
    ImportResult result;
    const ParsedText parsed = readCodeplugText(text);
    result.errors = parsed.errors;
    if (parsed.values.empty() && !result.errors.empty())
        return result;
    // A text of another format is not read on: its keys would be taken for typos.
    if (checkFormat(parsed, result.errors, result.notes))
        return result;

    auto state = std::make_unique<CodeplugState>();
    state->loadBoth(base);
    state->checkImage();
    CodeplugImage opened;
    {
        EditorSession session(*state);
        TextApplier(parsed, session, options, result).run();
        opened = session.openedImage();
    }
    sortByPlace(result.errors);
    sortByPlace(result.notes);
    if (!result.errors.empty())
        return result;
    // What OK and Save As make of the edits.
    state->commitEditImage();
    result.image = preparedForFile(importedImage(base, opened, state->image));
    return result;
}

} // namespace quorl::textplug
