#pragma once

#include "link/codeplug_operation.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorl {

// Who answered on one cradle.
struct PagerIdentity {
    std::string serialNumber;
    std::string model;
    std::string firmware;
};

// How one pager of a fleet run went.
struct FleetResult {
    std::string port;
    PagerIdentity identity;
    OperationOutcome outcome = OperationOutcome::Failed;
    // The program's own message when the operation failed (the first one shown).
    std::string message;
    // "verified", "N byte(s) differ", the verify's own message, or empty when no
    // verify was asked for.
    std::string verify;
    // What the operation wrote or read (the codeplug file of a read).
    std::string fileName;
    // Size and SHA-256 of what was sent (the image, or each stream joined by ';') or of
    // the file a read wrote, taken from the bytes before they went out.
    std::string size;
    std::string sha256;
    // The codeplug written, or read whole (the 16,384-byte image), for the inventory.
    std::vector<std::uint8_t> codeplug;
    // When this pager's operation began and ended (ISO 8601, UTC).
    std::string started;
    std::string ended;
};

// What a fleet run tells as it goes; called from the workers, one cradle at a time.
class FleetObserver {
public:
    virtual ~FleetObserver() = default;
    virtual void progress(std::size_t cradle, std::string_view phase, int percent) = 0;
    virtual void identified(std::size_t cradle, const PagerIdentity& identity) = 0;
    // The cradle is done and its result final; told at once, while others still run.
    virtual void finished(std::size_t /*cradle*/, const FleetResult& /*result*/) {}
};

// Makes a cradle's result final once its operation has ended (its message taken).
using FleetSettle = std::function<void(FleetResult& result)>;

// The work on one open link; fills what it learns into `result`.
using FleetBody =
    std::function<OperationOutcome(PagerLink& link, OperationHost& host, FleetResult& result)>;

// Runs `body` on every device at once, one worker and one link per cradle, each
// pager on its own: a failing pager never stops the others. With `identifyFirst` the
// pager's firmware, model and serial number are read before the body runs.
// Each result is settled and handed to the observer the moment its cradle ends.
std::vector<FleetResult> runFleet(const std::vector<std::string>& devices,
                                  OperationSelector selector, bool identifyFirst,
                                  const FleetBody& body, FleetObserver& observer,
                                  const FleetSettle& settle = {});

// The model number the pager reports (twelve characters, padding dropped); nothing when
// it never answered.
std::optional<std::string> queryPagerModel(PagerLink& link);

// Firmware version and model number as the pager reports them, and the serial number
// from the General block.
OperationOutcome readPagerIdentity(PagerLink& link, OperationHost& host, PagerIdentity& identity);

// readPagerIdentity as a step of any operation: the identity is a codeplug read,
// whatever the operation on the link is, so the link reads under that selector and is
// set back after. A custom audio download starts afresh after it, as in a fleet run.
OperationOutcome identifyPager(PagerLink& link, OperationHost& host, PagerIdentity& identity);

// The identity fields of a codeplug image (serial number at 0x0110, model at 0x011A).
PagerIdentity identityOfImage(const CodeplugImage& image, std::string firmware);

} // namespace quorl
