#include "link/fleet_write.h"

#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "link/pager_link.h"
#include "link/sha256.h"

#include <memory>

namespace quorl {

namespace {

std::string verifyText(OperationOutcome outcome, const std::vector<Address>& differences) {
    if (outcome != OperationOutcome::Succeeded)
        return "not verified";
    if (differences.empty())
        return "verified";
    // Appended piece by piece: GCC 12 at -O3 reports number + text as an overlapping copy.
    std::string text = std::to_string(differences.size());
    text.append(" byte(s) differ");
    return text;
}

} // namespace

std::vector<FleetResult> writeToAllCradles(const std::vector<std::string>& devices,
                                           const CodeplugImage& image, bool verify,
                                           FleetObserver& observer, const std::string& fileName) {
    return writeToAllCradles(
        devices, [&image](PagerLink&, OperationHost&) { return std::optional(image); }, verify,
        observer, fileName);
}

std::vector<FleetResult> writeToAllCradles(const std::vector<std::string>& devices,
                                           const FleetImageFor& imageFor, bool verify,
                                           FleetObserver& observer, const std::string& fileName) {
    return runFleet(
        devices, OperationSelector::CodeplugWrite, true,
        [&](PagerLink& link, OperationHost& host, FleetResult& result) {
            result.fileName = fileName;
            const auto image = imageFor(link, host);
            if (!image)
                return OperationOutcome::Failed;
            // A read that made the image ended by closing the port; the write opens it again.
            if (!link.isConnected()) {
                if (!link.open(result.port))
                    return OperationOutcome::Failed;
                link.state().watcherRunFlag = 1;
                link.clearReplyStatus();
                link.state().selector = OperationSelector::CodeplugWrite;
            }
            // What Write Codeplug sends, for the read-back and the log.
            CodeplugImage expected = *image;
            updateChecksums(expected);
            refreshModelOptionsMirror(expected);
            result.size = std::to_string(expected.bytes().size());
            result.sha256 = sha256Hex(expected.bytes());
            result.codeplug.assign(expected.bytes().begin(), expected.bytes().end());
            // Each pager gets its own copy: the write refreshes checksums and mirror.
            auto state = std::make_unique<CodeplugState>();
            state->image = *image;
            state->editImage = *image;
            state->loaded = true;
            const auto written = writeCodeplug(link, *state, host);
            if (written != OperationOutcome::Succeeded || !verify)
                return written;
            std::vector<Address> differences;
            const auto checked = verifyCodeplug(link, expected, host, differences);
            result.verify = verifyText(checked, differences);
            return written;
        },
        observer,
        [verify](FleetResult& r) {
            // A write that failed was not read back; a read-back that failed says why.
            if (verify && r.verify.empty())
                r.verify = "not verified";
            if (r.outcome != OperationOutcome::Succeeded)
                return;
            if (r.verify == "not verified" && !r.message.empty())
                r.verify.append(": ").append(oneLineMessage(r.message));
            r.message.clear(); // the write itself went well
        });
}

std::string oneLineMessage(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            if (!out.empty() && out.back() != ' ')
                out.push_back(' ');
            continue;
        }
        out.push_back(c);
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string fleetResultText(const FleetResult& r) {
    // A success with a message is a write that left slots out (its note).
    if (r.outcome == OperationOutcome::Succeeded)
        return r.message.empty() ? "OK" : oneLineMessage(r.message);
    return r.message.empty() ? "Failed" : oneLineMessage(r.message);
}

bool fleetAllGood(const std::vector<FleetResult>& results) {
    for (const auto& r : results)
        if (r.outcome != OperationOutcome::Succeeded || !r.message.empty() ||
            !(r.verify.empty() || r.verify == "verified"))
            return false;
    return true;
}

ProgrammingLogRow programmingLogRow(const FleetResult& r, const std::string& operation) {
    return {r.started,
            r.ended,
            r.port,
            r.identity.serialNumber,
            r.identity.model,
            r.identity.firmware,
            operation,
            r.fileName,
            r.size,
            r.sha256,
            fleetResultText(r),
            r.verify};
}

} // namespace quorl
