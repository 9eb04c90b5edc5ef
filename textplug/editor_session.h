#pragma once

#include "codeplug/codeplug_state.h"
#include "editors/audition_port.h"
#include "editors/channel_tab.h"
#include "editors/function_switch_tab.h"
#include "editors/general_tab.h"
#include "editors/model_options_tab.h"

#include <string>
#include <vector>

namespace quorl::textplug {

// Keeps the editors' warnings instead of showing them, so that text import can
// report each one at the line of the value that caused it.
class CollectedMessages : public EditorMessages {
public:
    void warning(std::string_view text, std::string_view caption) override;
    // The warnings since the last call, and forgets them.
    std::vector<std::string> take();

private:
    std::vector<std::string> shown_;
};

// The User Data window's pages opened over a codeplug state, as the window opens
// them: General, Model Options, Function Switches and the channel page. Export
// reads what they show; import changes them as a person would, control by control.
class EditorSession {
public:
    explicit EditorSession(CodeplugState& state);
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // The channel tabs the window offers: F1 alone on a single-channel pager.
    int channelCount() const;
    // What the window does when the user picks the tab of `channel`.
    void showChannel(int channel);
    // The edit image as the pages left it when they opened, before anything was
    // entered. Opening repairs what no control can show (an alert index past the
    // list, duty bits while duty is unavailable); those repairs are not the text's
    // doing. `markOpened` records a channel's block after showChannel, before its
    // values are entered.
    const CodeplugImage& openedImage() const { return opened_; }
    void markOpened(int channel);

    // What the window does when the user picks the Model Options tab.
    void showModelOptions() { options.applyPriorityScanRule(); }

    CodeplugState& state;
    CollectedMessages messages;
    AuditionState auditions;
    GeneralTabTexts general;
    ModelOptionsTab options;
    FunctionSwitchTab switches;
    ChannelTab channel;

private:
    CodeplugImage opened_;
};

// The image as the User Data window shows it: every page opened and every channel
// shown, so each byte no control can show (a squelch level past the slider, a
// coding option past the list) reads as the page repairs it. Every surface that
// names a field's value (info, the printed summary, export, diff, verify) decodes
// this image, so all of them say what the editors say.
CodeplugImage shownImage(const CodeplugImage& image);

// The image an import writes. Each byte that entering values changed (`edited`
// differs from `opened`) comes from `edited`. A repair the pages made on opening
// (a squelch level past the slider, a tone system past the list, duty bits while
// duty is unavailable, copies under the coding option) stays too: the text showed
// the repaired value, and what it shows is what is written. Only the entries the
// final coding option leaves unused, which no field shows, keep the base's bytes.
CodeplugImage importedImage(const CodeplugImage& base, const CodeplugImage& opened,
                            const CodeplugImage& edited);

} // namespace quorl::textplug
