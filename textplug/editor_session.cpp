#include "textplug/editor_session.h"

#include "codeplug/channel_block.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/coding_options.h"
#include "editors/user_data_window.h"

#include <memory>
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

CodeplugImage importedImage(const CodeplugImage& base, const CodeplugImage& opened,
                            const CodeplugImage& edited) {
    CodeplugImage out = opened;
    const int channels = static_cast<int>(userDataTabLabels(edited).size()) - 3;
    for (int ch = 0; ch < channels; ++ch) {
        const Address block = layout::channelBase(ch);
        const CodingOption& option = codingOption(ConstChannelBlock(edited, ch).codingOption());
        const auto keepBase = [&](Address from, Address length) {
            for (Address a = from; a < from + length; ++a)
                out.set(a, base.at(a));
        };
        for (int call = option.calls + 1; call <= kCallCount; ++call)
            keepBase(block + 0x10 + 10 * static_cast<Address>(call - 1), 10);
        for (int group = option.groups + 1; group <= kGroupCount; ++group)
            keepBase(block + 0x74 + 6 * static_cast<Address>(group - 1), 6);
    }
    for (Address a = 0; a < kImageSize; ++a)
        if (edited.at(a) != opened.at(a))
            out.set(a, edited.at(a));
    return out;
}

CodeplugImage shownImage(const CodeplugImage& image) {
    auto scratch = std::make_unique<CodeplugState>();
    scratch->loadBoth(image);
    scratch->checkImage();
    {
        EditorSession session(*scratch);
        session.showModelOptions();
        for (int ch = 0; ch < session.channelCount(); ++ch)
            session.showChannel(ch);
    }
    return scratch->editImage;
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
