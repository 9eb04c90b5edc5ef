#pragma once

#include "link/link_shared.h"

#include <functional>
#include <string>

namespace quorl {

class PagerLink;
class OperationHost;
struct CodeplugState;

// How an operation ended: a numbered message has been shown for Failed; Cancelled
// ends quietly (the user said Cancel, or chose no cradle).
enum class OperationOutcome { Succeeded, Failed, Cancelled };

// The custom-audio download, handed the operation's open link.
using CustomAudioDownload = std::function<OperationOutcome(PagerLink&, OperationHost&)>;
// What runs on an open link; `host` is the one to talk through (it records the
// operation's steps and messages in the link trace when one is active).
using OperationBody = std::function<OperationOutcome(PagerLink& link, OperationHost& host)>;

// One pager operation from the port choice to the common exit: choose the port,
// open it at 57,600 baud 8N2, run Read Codeplug (1), Write Codeplug (2) or the
// custom-audio download (3), and close the port on every way out. Runs on the
// operation's worker thread; every word to the user goes through `host`. The device
// chosen goes to `device` when one was.
OperationOutcome runPagerOperation(OperationSelector selector, CodeplugState& state,
                                   OperationHost& host, const CustomAudioDownload& download = {},
                                   std::string* device = nullptr);

// How an operation ends when the port choice gave no port: Failed after
// Communication Error #1, Cancelled when the user chose no cradle.
OperationOutcome outcomeWithoutPort();

// The operation frame on a known device (the command-line tool's --port): open,
// run flag and status, `body`, and the common exit.
OperationOutcome runOperationOnDevice(const std::string& deviceName, OperationHost& host,
                                      const OperationBody& body, OperationSelector selector);

} // namespace quorl
