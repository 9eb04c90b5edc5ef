#include "link/operation_runner.h"

#include "link/codeplug_operation.h"
#include "link/operation_link_hold.h"
#include "link/pager_link.h"
#include "link/port_choice.h"
#include "link/tracing_host.h"

namespace quorl {

OperationOutcome runPagerOperation(OperationSelector selector, CodeplugState& state,
                                   OperationHost& host, const CustomAudioDownload& download,
                                   std::string* device) {
    const OperationLinkHold hold;
    const auto chosen = choosePort(host);
    if (!chosen)
        return outcomeWithoutPort();
    if (device != nullptr)
        *device = chosen->deviceName;
    return runOperationOnDevice(
        chosen->deviceName, host,
        [&](PagerLink& link, OperationHost& h) {
            switch (selector) {
            case OperationSelector::CodeplugRead:
                return readCodeplug(link, state, h);
            case OperationSelector::CodeplugWrite:
                return writeCodeplug(link, state, h);
            case OperationSelector::CustomAudioDownload:
                return download ? download(link, h) : OperationOutcome::Failed;
            case OperationSelector::None:
                break;
            }
            return OperationOutcome::Failed;
        },
        selector);
}

OperationOutcome outcomeWithoutPort() {
    // Communication Error #1 has been shown: a failure. Only a choice the user
    // declined ends quietly.
    return portChoice().noCradle.load() == 1 ? OperationOutcome::Failed
                                             : OperationOutcome::Cancelled;
}

OperationOutcome runOperationOnDevice(const std::string& deviceName, OperationHost& host,
                                      const OperationBody& body, OperationSelector selector) {
    const OperationLinkHold hold;
    PagerLink link(host);
    // The trace records the operation's steps and messages beside its bytes.
    TracingHost traced(host, link.trace(), deviceName);
    OperationHost& h = link.trace() != nullptr ? static_cast<OperationHost&>(traced) : host;
    if (!link.open(deviceName))
        return OperationOutcome::Failed;
    LinkState& shared = link.state();
    shared.watcherRunFlag = 1;
    link.clearReplyStatus();
    shared.selector = selector;

    const OperationOutcome outcome = body(link, h);

    // The common exit.
    shared.watcherRunFlag = 0;
    if (link.isConnected())
        link.close();
    shared.selector = OperationSelector::None;
    return outcome;
}

} // namespace quorl
