#pragma once

#include "codeplug/codeplug_state.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorl {

// Tab labels of the User Data window: the three fixed tabs and one per channel,
// only "Channel F1 " for a single-channel pager.
std::vector<std::string> userDataTabLabels(const CodeplugImage& image);

struct WindowSize {
    int width;
    int height;
    friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

// The window's size on a screen of `screen`, for a window designed at `designed`.
WindowSize fitUserDataWindow(WindowSize designed, WindowSize screen);

// Where a page sits in the tab control: below the tab labels, further down for
// taller pages.
int userDataPageTop(int pageHeight);

// How the window ends, step by step. The Custom Audio window's settling is a hook
// (it may refuse, keeping both windows open).
class UserDataSession {
public:
    // Made before the pages fill themselves, so it sees the document as the window
    // found it.
    explicit UserDataSession(CodeplugState& state);

    // OK: commit, then let the Custom Audio window settle; true when the window
    // closes.
    bool ok();
    // Cancel: close the Custom Audio window unsaved and throw away every edit made
    // since the window opened, on every tab. Falsing levels confirmed with their own
    // OK are committed already and stay.
    void cancel();
    // The title bar's close: commit, let the Custom Audio window ask, then as
    // Cancel. False when the Custom Audio question was cancelled.
    bool closeByTitleBar();

    // Installed by the Custom Audio window while it is open.
    std::function<bool()> settleCustomAudioOnOk;
    std::function<bool()> settleCustomAudioOnClose;
    std::function<void()> discardCustomAudio;

private:
    CodeplugState& state_;
    bool modifiedAtOpen_;
    std::vector<std::uint8_t> falsingAtOpen_; // one falsing byte per channel
    std::vector<std::uint8_t> falsingBytes() const;
};

} // namespace quorl
