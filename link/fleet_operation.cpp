#include "link/fleet_operation.h"

#include "codeplug/codeplug_layout.h"
#include "codeplug/general_block.h"
#include "link/command_frames.h"
#include "link/operation_link_hold.h"
#include "link/operation_texts.h"
#include "link/pager_link.h"
#include "link/programming_log.h"
#include "link/unattended_host.h"

#include <mutex>
#include <thread>

namespace quorl {

namespace {

// A cradle's own host: nobody to ask, progress to the observer, and the first
// message kept as the pager's result.
class FleetCradleHost : public UnattendedHost {
public:
    FleetCradleHost(FleetObserver& observer, std::size_t cradle)
        : observer_(observer), cradle_(cradle) {}

    void showMessage(std::string_view text, MessageIcon) override {
        std::lock_guard lock(mutex_);
        if (message_.empty())
            message_ = text;
    }
    void openProgress(std::string_view text) override { observer_.progress(cradle_, text, 0); }
    void updateProgress(int percent, std::string_view text) override {
        observer_.progress(cradle_, text, percent);
    }

    std::string message() const {
        std::lock_guard lock(mutex_);
        return message_;
    }

private:
    FleetObserver& observer_;
    std::size_t cradle_;
    mutable std::mutex mutex_;
    std::string message_;
};

} // namespace

PagerIdentity identityOfImage(const CodeplugImage& image, std::string firmware) {
    const GeneralBlock general(image);
    return {general.serialNumber(), general.modelNumber(), std::move(firmware)};
}

std::optional<std::string> queryPagerModel(PagerLink& link) {
    auto model = queryModelNumber(link);
    if (!model)
        return std::nullopt;
    while (!model->empty() && (model->back() == '\0' || model->back() == ' ' ||
                               static_cast<unsigned char>(model->back()) == 0xFF))
        model->pop_back();
    return model;
}

OperationOutcome readPagerIdentity(PagerLink& link, OperationHost& host, PagerIdentity& identity) {
    const auto version = queryFirmwareVersion(link);
    if (!version) {
        host.showMessage(op_texts::kCommError2, MessageIcon::Stop);
        return OperationOutcome::Failed;
    }
    const std::string firmware(version->begin(), version->end());
    // The model the pager itself reports, not what its codeplug says.
    const auto model = queryPagerModel(link);
    if (!model) {
        host.showMessage(op_texts::kCommError2, MessageIcon::Stop);
        return OperationOutcome::Failed;
    }
    if (const auto started = startReading(link, host); started != OperationOutcome::Succeeded)
        return started;
    CodeplugImage general;
    static constexpr int kGeneralBlock[] = {static_cast<int>(layout::kGeneralBlock / kBlockSize)};
    const OperationOutcome read = readBlocks(link, host, kGeneralBlock, BlockProgress::InOrder,
                                             [&](Address a, std::uint8_t b) { general.set(a, b); });
    if (read != OperationOutcome::Succeeded)
        return read;
    identity = identityOfImage(general, firmware);
    identity.model = *model;
    return OperationOutcome::Succeeded;
}

OperationOutcome identifyPager(PagerLink& link, OperationHost& host, PagerIdentity& identity) {
    const OperationSelector selector = link.state().selector;
    link.state().selector = OperationSelector::CodeplugRead;
    const auto known = readPagerIdentity(link, host, identity);
    link.state().selector = selector;
    return known;
}

std::vector<FleetResult> runFleet(const std::vector<std::string>& devices,
                                  OperationSelector selector, bool identifyFirst,
                                  const FleetBody& body, FleetObserver& observer,
                                  const FleetSettle& settle) {
    // One hold for the whole run: the program's auditions wait until every cradle is done.
    const OperationLinkHold hold;
    std::vector<FleetResult> results(devices.size());
    std::vector<std::thread> workers;
    workers.reserve(devices.size());
    for (std::size_t i = 0; i < devices.size(); ++i) {
        workers.emplace_back([&, i] {
            FleetResult& result = results[i];
            result.port = devices[i];
            FleetCradleHost host(observer, i);
            result.started = isoTimeNow();
            result.outcome = runOperationOnDevice(
                devices[i], host,
                [&](PagerLink& link, OperationHost& h) {
                    if (identifyFirst) {
                        const auto known = identifyPager(link, h, result.identity);
                        if (known != OperationOutcome::Succeeded)
                            return known;
                        observer.identified(i, result.identity);
                    }
                    const auto outcome = body(link, h, result);
                    if (!identifyFirst && !result.identity.serialNumber.empty())
                        observer.identified(i, result.identity);
                    return outcome;
                },
                selector);
            result.message = host.message();
            result.ended = isoTimeNow();
            if (settle)
                settle(result);
            observer.finished(i, result);
        });
    }
    for (auto& w : workers)
        w.join();
    return results;
}

} // namespace quorl
