#include "textplug/editor_session.h"

#include "editors/user_data_window.h"

#include <utility>

namespace quorl::textplug {

void CollectedMessages::warning(std::string_view text, std::string_view) {
    shown_.emplace_back(text);
}

std::vector<std::string> CollectedMessages::take() {
    return std::exchange(shown_, {});
}

EditorSession::EditorSession(CodeplugState& s)
    : state(s), options(s, messages), switches(s, auditions), channel(s, messages) {
    general = openGeneralTab(state);
    options.open();
    switches.open(false);
    channel.create();
    messages.take();
    opened_ = state.editImage;
}

void EditorSession::markOpened(int ch) {
    const Address base = layout::channelBase(ch);
    for (Address a = base; a < base + layout::kChannelLength + 2; ++a)
        opened_.set(a, state.editImage.at(a));
}

CodeplugImage keepUnchangedBytes(const CodeplugImage& base, const CodeplugImage& opened,
                                 const CodeplugImage& edited) {
    CodeplugImage out = base;
    for (Address a = 0; a < kImageSize; ++a)
        if (edited.at(a) != opened.at(a))
            out.set(a, edited.at(a));
    return out;
}

int EditorSession::channelCount() const {
    // The tab labels name the channels: General, Model Options, Function Switches,
    // then one per channel.
    return static_cast<int>(userDataTabLabels(state.image).size()) - 3;
}

void EditorSession::showChannel(int ch) {
    channel.setCurrentChannel(ch);
    channel.updateDutyState();
    channel.showCallTones();
    channel.showGroupTones();
    channel.loadChannel();
}

} // namespace quorl::textplug
