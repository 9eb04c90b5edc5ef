#pragma once

#include "codeplug/busy_claim.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/image_check.h"

#include <array>
#include <atomic>
#include <string>

namespace quorl {

// The document's codeplug: the committed image, its working copy and the flags
// around them. One per process. A pager operation runs on its own thread while the
// interface reads the flags, so the flags are atomic.
struct CodeplugState {
    CodeplugImage image;     // committed: summarised, saved, written to the pager
    CodeplugImage editImage; // what the User Data tabs change
    std::atomic<bool> loaded{false};
    std::atomic<bool> modified{false};
    BusyFlag busy; // set only by a BusyClaim
    std::string currentPath;
    std::string currentFileName;
    std::array<std::string, 5> firmwareVersion; // one character each, from a pager read
    BandLimits band;                            // bandLowMHz / bandHighMHz
    // The firmware version as the General tab last showed it; the printed summary
    // names the pager version from it.
    std::string shownFirmwareVersion;

    int bandLowMHz() const { return band.lowMHz; }
    int bandHighMHz() const { return band.highMHz; }

    // Copies 0x0000..0x3FDB of the edit image into the committed image; the last
    // 36 bytes of the committed image stay as they are.
    void commitEditImage();
    // What the committed image would be after commitEditImage, without changing it.
    CodeplugImage committedEdits() const;
    // Puts the committed channel area (0x0300..0x06FF) back into the edit image.
    void restoreChannelArea();
    // Throws away every uncommitted edit: the edit image takes the committed bytes
    // over the whole range a commit copies, so Save, Save As and Write agree again.
    void discardEdits();
    // Both images take `bytes` (a load or a pager read).
    void loadBoth(const CodeplugImage& bytes);
    // The image check on the committed image; keeps the band limits.
    bool checkImage();
    void clearFirmwareVersion() { firmwareVersion = {}; }
    std::string firmwareVersionText() const;
};

} // namespace quorl
