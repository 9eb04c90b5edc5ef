#pragma once

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/codeplug_source.h"
#include "link/custom_audio_download.h"

namespace quorl::cli {

// `--all`: the operation on every connected cradle at once. Progress goes to `err`
// (one line per cradle on a terminal, one line per event otherwise), the summary to
// `out`, one line per pager; `logPath`, when given, gets one CSV row per pager.
// Exit 0 only when every pager succeeded.
struct FleetOptions {
    std::string logPath;
    bool terminal = false;
};

int runFleetWrite(const CodeplugSource& codeplug, bool verify, const FleetOptions& options,
                  std::ostream& out, std::ostream& err);
int runFleetRead(const std::string& folder, const FleetOptions& options, std::ostream& out,
                 std::ostream& err);
int runFleetAudioWrite(const std::array<DownloadSlot, kDownloadSlots>& slots,
                       const FleetOptions& options, std::ostream& out, std::ostream& err);

} // namespace quorl::cli
