#pragma once

#include "link/fleet_operation.h"
#include "link/programming_log.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorl {

class FleetObserver;

// Write Codeplug of `image` on every device at once, with a read-back when `verify`;
// each pager gets its own copy of the image and its own checks. The command-line
// tool's `write --all` and the program's "Write to All Cradles..." window. Each result
// names `fileName` and the size and SHA-256 of the image as sent.
std::vector<FleetResult> writeToAllCradles(const std::vector<std::string>& devices,
                                           const CodeplugImage& image, bool verify,
                                           FleetObserver& observer,
                                           const std::string& fileName = {});

// The codeplug one pager is to get, made once its link is open (from a read of the
// pager's own codeplug, say); nothing when it cannot be made, after `host` was told why.
using FleetImageFor = std::function<std::optional<CodeplugImage>(PagerLink&, OperationHost&)>;

// As above, each pager getting the image `imageFor` makes for it; the size and SHA-256
// in its result are those of its own image.
std::vector<FleetResult> writeToAllCradles(const std::vector<std::string>& devices,
                                           const FleetImageFor& imageFor, bool verify,
                                           FleetObserver& observer,
                                           const std::string& fileName = {});

// A message box text as one line.
std::string oneLineMessage(std::string_view text);
// "OK", or the program's own message.
std::string fleetResultText(const FleetResult& result);
// Every pager succeeded (and read back what was written, when asked).
bool fleetAllGood(const std::vector<FleetResult>& results);
// A pager's log row, from what its result recorded as it ran.
ProgrammingLogRow programmingLogRow(const FleetResult& result, const std::string& operation);

} // namespace quorl
