#include "random_codeplug.h"

#include "base/decimal_text.h"
#include "codeplug/channel_option_lists.h"
#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/tone_tables.h"
#include "editors/falsing_adjustment.h"
#include "textplug/editor_session.h"

#include <memory>

namespace quorl::test {

namespace {

class RandomEditor {
public:
    RandomEditor(std::mt19937& rng, textplug::EditorSession& session) : rng_(rng), s_(session) {}

    void run() {
        const int steps = pick(5, 60);
        for (int i = 0; i < steps; ++i) {
            switch (pick(0, 9)) {
            case 0:
                switchEdit();
                break;
            case 1:
                optionEdit();
                break;
            default:
                channelEdit();
                break;
            }
        }
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    template <typename List> int anyItem(const List& items) {
        return pick(0, static_cast<int>(items.size()) - 1);
    }

    void switchEdit() {
        FunctionSwitchTab& tab = s_.switches;
        const int k = pick(0, kSwitchCount - 1);
        const SwitchRow& r = tab.row(k);
        switch (pick(0, 6)) {
        case 0:
            tab.modeChanged(k, anyItem(r.modeItems));
            break;
        case 1:
            if (r.alertEnabled)
                tab.alertTypeChanged(k, anyItem(r.alertItems));
            break;
        case 2:
            if (r.announcementEnabled)
                tab.announcementChanged(k, pick(0, 2));
            break;
        case 3:
            if (r.dutyEnabled)
                tab.dutyClicked(k, chance(50));
            break;
        case 4:
            if (r.pushToListenEnabled)
                tab.pushToListenClicked(k, chance(50));
            break;
        case 5:
            if (r.scanVisible && !r.scan1Items.empty())
                tab.scan1Changed(k, anyItem(r.scan1Items));
            break;
        default:
            if (r.scanVisible) {
                tab.scan2Opened(k);
                if (!r.scan2Items.empty())
                    tab.scan2Changed(k, anyItem(r.scan2Items));
            }
            break;
        }
    }

    std::string seconds(double low, double high, int decimals) {
        const double v = std::uniform_real_distribution<double>(low, high)(rng_);
        return decimalText(v, decimals);
    }

    void optionEdit() {
        ModelOptionsTab& tab = s_.options;
        s_.showModelOptions();
        switch (pick(0, 4)) {
        case 0: {
            const auto list = static_cast<ModelOptionList>(pick(0, kModelOptionListCount - 2));
            tab.select(list, pick(0, list == ModelOptionList::StoredVoiceDuration   ? 4
                                     : list == ModelOptionList::SwitchAnnouncements ? 3
                                                                                    : 1));
            break;
        }
        case 1:
            if (tab.priorityScanEnabled())
                tab.commitPriorityScanText(seconds(0.03, 2.2, pick(2, 3)));
            break;
        case 2:
            if (tab.alertDurationVisible())
                tab.commitAlertDurationText(seconds(0.3, 130.0, pick(1, 2)));
            break;
        case 3:
            if (tab.priorityScanEnabled())
                tab.spinPriorityScan(chance(50), tab.priorityScanText());
            break;
        default:
            if (tab.alertDurationVisible())
                tab.spinAlertDuration(chance(50), tab.alertDurationText());
            break;
        }
    }

    std::string anyTone() {
        const ChannelTab& tab = s_.channel;
        if (chance(10))
            return {};
        const ToneTable* table = toneTableForSystem(tab.toneSystem);
        if (table && chance(70))
            return decimalText(
                entryHz(table->entries[static_cast<std::size_t>(anyItem(table->entries))]), 1);
        return decimalText(pick(2700, 34500) / 10.0, 1);
    }

    std::string anyFrequency() {
        const int low = s_.state.bandLowMHz() - 1;
        const int high = s_.state.bandHighMHz() + 1;
        const bool uhf = s_.state.image.at(0x0102) >= 2;
        const double step = uhf ? 0.00625 : 0.0025;
        const int steps = static_cast<int>((high - low) / step);
        const double f = low + pick(0, steps) * step + (chance(5) ? 0.001 : 0.0);
        return decimalText(f, pick(3, 6));
    }

    void channelEdit() {
        ChannelTab& tab = s_.channel;
        const int ch = pick(0, s_.channelCount() - 1);
        s_.showChannel(ch);
        switch (pick(0, 14)) {
        case 0:
            tab.frequencyText = anyFrequency();
            tab.enterPressed(ChannelTab::Box::Frequency);
            break;
        case 1:
            tab.setBandwidth(pick(0, 1));
            break;
        case 2:
            tab.setSquelch(pick(0, 4));
            break;
        case 3:
            tab.setToneSystem(pick(0, 4));
            break;
        case 4:
        case 5:
            tab.setCodingOption(pick(0, 10));
            break;
        case 6:
            tab.setResetFunction(pick(0, 7));
            break;
        case 7:
            if (tab.timerVisible) {
                if (chance(50)) {
                    tab.timerText = seconds(0.2, 130.0, pick(0, 2));
                    tab.enterPressed(ChannelTab::Box::Timer);
                } else {
                    tab.stepResetTimer(chance(50));
                }
            }
            break;
        case 8:
        case 9:
        case 10: {
            for (int n = pick(1, 6); n > 0; --n) {
                const int box = pick(0, kToneBoxes - 1);
                const ToneSlot slot = toneBoxSlot(box);
                if (!tab.tones[static_cast<std::size_t>(box)].enabled)
                    continue;
                tab.tones[static_cast<std::size_t>(box)].text = anyTone();
                tab.enterPressed(ChannelTab::Box::Tone, slot);
            }
            break;
        }
        case 11: {
            const int row = pick(0, kEntryRows - 1);
            if (tab.rows[static_cast<std::size_t>(row)].visible)
                tab.setAlert(row, pick(0, static_cast<int>(options::kAlert.size()) - 1));
            break;
        }
        case 12: {
            const int row = pick(0, kEntryRows - 1);
            if (!tab.rows[static_cast<std::size_t>(row)].visible)
                break;
            if (chance(50))
                tab.setVibrate(row, pick(0, 1));
            else if (tab.dutyEnabled)
                tab.setDuty(row, pick(0, 1));
            break;
        }
        case 13: {
            FalsingAdjustment falsing(s_.state, ch);
            falsing.setToneTolerance(pick(0, 2));
            falsing.setInterpageGap(pick(0, 2));
            if (chance(80))
                falsing.accept();
            else
                falsing.cancel();
            break;
        }
        default:
            if (chance(20))
                tab.clearAllTones();
            break;
        }
    }

    std::mt19937& rng_;
    textplug::EditorSession& s_;
};

} // namespace

CodeplugImage randomCodeplug(std::mt19937& rng, const CodeplugImage& start) {
    auto state = std::make_unique<CodeplugState>();
    state->loadBoth(start);
    state->checkImage();
    {
        textplug::EditorSession session(*state);
        RandomEditor(rng, session).run();
    }
    // OK, then Save As.
    state->commitEditImage();
    CodeplugImage image = state->image;
    updateChecksums(image);
    refreshMirror(image);
    return image;
}

} // namespace quorl::test
