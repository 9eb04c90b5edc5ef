#include "editors/user_data_window.h"

#include "codeplug/channel_block.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/general_block.h"
#include "editors/user_data_texts.h"

namespace quorl {

std::vector<std::string> userDataTabLabels(const CodeplugImage& image) {
    const std::size_t count = GeneralBlock(image).isSingleChannel() ? 4 : 8;
    std::vector<std::string> out;
    for (std::size_t i = 0; i < count; ++i)
        out.emplace_back(texts::kTabLabels[i]);
    return out;
}

WindowSize fitUserDataWindow(WindowSize designed, WindowSize screen) {
    const int w = designed.width, h = designed.height;
    const int W = screen.width, H = screen.height;
    if (h >= 1000) {
        if (H <= h)
            return {W > w ? w + 20 : W, H - 100};
        return {W > w ? w + 20 : W + 20, h - 100};
    }
    if (h >= 801) {
        if (H <= h)
            return {W > w ? w + 20 : W, H};
        return {W > w ? w : W, h};
    }
    if (H <= h)
        return {w - 20, H};
    return designed;
}

int userDataPageTop(int pageHeight) {
    if (pageHeight >= 901)
        return 32;
    if (pageHeight >= 751 && pageHeight <= 899)
        return 27;
    return 22;
}

UserDataSession::UserDataSession(CodeplugState& state)
    : state_(state), modifiedAtOpen_(state.modified), falsingAtOpen_(falsingBytes()) {}

std::vector<std::uint8_t> UserDataSession::falsingBytes() const {
    std::vector<std::uint8_t> out;
    for (int c = 0; c < layout::kChannelCount; ++c)
        out.push_back(ChannelBlock(state_.image, c).falsingByte());
    return out;
}

bool UserDataSession::ok() {
    state_.commitEditImage();
    if (settleCustomAudioOnOk && !settleCustomAudioOnOk())
        return false;
    return true;
}

void UserDataSession::cancel() {
    if (discardCustomAudio)
        discardCustomAudio();
    state_.discardEdits();
    // Nothing is left to save unless a falsing level was confirmed meanwhile.
    state_.modified = modifiedAtOpen_ || falsingBytes() != falsingAtOpen_;
}

bool UserDataSession::closeByTitleBar() {
    state_.commitEditImage();
    if (settleCustomAudioOnClose && !settleCustomAudioOnClose())
        return false;
    // Then closed the way Cancel closes, with nothing left to throw away: the edits
    // are committed and stay marked as changes.
    if (discardCustomAudio)
        discardCustomAudio();
    return true;
}

} // namespace quorl
