#include "link/codeplug_operation.h"

#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "link/command_frames.h"
#include "link/exchange.h"
#include "link/link_texts.h"
#include "link/link_timing.h"
#include "link/operation_host.h"
#include "link/operation_link_hold.h"
#include "link/operation_texts.h"
#include "link/pager_link.h"
#include "link/port_choice.h"
#include "link/tracing_host.h"

#include <array>
#include <cstdio>
#include <span>
#include <string>

namespace quorl {

namespace {

// Every wait of these operations is bounded by 3 s.
constexpr int kWaitMs = 3000;

void sleepMs(int ms) {
    linkTiming().sleep(ms);
}

std::string progressText(const char* word, int percent) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%2d%%", word, percent);
    return buf;
}

// Serial number, supported version, start of read/write: up to five tries, a short
// pause after each unanswered one.
QueryResult queryFiveTimes(PagerLink& link, std::string_view frame, std::uint8_t wanted) {
    ExchangeRule rule;
    rule.frame = frame;
    rule.waitMs = kWaitMs;
    rule.expected = wanted;
    rule.pauseAfterMiss = [](int) { return 50; };
    return exchange(link, rule);
}

// End of read/write and end of programming mode: five tries with growing pauses.
QueryResult closingCommand(PagerLink& link, std::string_view frame) {
    ExchangeRule rule;
    rule.frame = frame;
    rule.pauseAfterSend = [](int i) { return 50 + 10 * i; };
    rule.waitMs = kWaitMs;
    rule.expected = kStatusAck;
    rule.clearOnReply = true;
    return exchange(link, rule);
}

OperationOutcome fail(OperationHost& host, std::string_view message, bool closeProgress = false) {
    if (closeProgress)
        host.closeProgress();
    host.showMessage(message, MessageIcon::Stop);
    return OperationOutcome::Failed;
}

// The questions of a read when an image is already loaded. Save and Save As run
// with `busy` cleared, as they refuse to run during an operation; it is set again
// afterwards so no other pager command can start while the read goes on.
bool askBeforeRead(CodeplugState& state, OperationHost& host) {
    if (!state.loaded)
        return true;
    auto saveWhileIdle = [&](bool saveAs) {
        state.busy = false;
        const bool saved = saveAs ? host.runSaveAs() : host.runSave();
        state.busy = true;
        sleepMs(200);
        return saved;
    };
    if (state.currentPath.empty()) {
        switch (host.askYesNoCancel(op_texts::kOverwriteQuestion)) {
        case Answer::Yes:
            sleepMs(500);
            return true;
        case Answer::No:
            // Reading over an image that could not be saved would lose it.
            return saveWhileIdle(true);
        case Answer::Cancel:
            return false;
        }
    }
    if (state.modified) {
        switch (host.askYesNoCancel(op_texts::kSaveChangesQuestion)) {
        case Answer::Yes:
            return saveWhileIdle(false);
        case Answer::No:
            sleepMs(500);
            return true;
        case Answer::Cancel:
            return false;
        }
    }
    return true;
}

OperationOutcome serialNumberCheck(PagerLink& link, OperationHost& host,
                                   std::string_view missingMessage) {
    switch (queryFiveTimes(link, frame_text::kStatus, kStatusData)) {
    case QueryResult::TimedOut:
        return fail(host, link_texts::kReadError5);
    case QueryResult::NoReply:
        return fail(host, op_texts::kReadError1);
    case QueryResult::Reply:
        break;
    }
    const bool hasSerial = (link.replyDataByte(0) & 0x40) != 0;
    link.clearReplyStatus();
    if (!hasSerial)
        return fail(host, missingMessage);
    return OperationOutcome::Succeeded;
}

// The end of a read or write, then the end of programming mode, each with its own
// message when the pager never acknowledges.
struct ClosingTexts {
    std::string_view endFrame;
    std::string_view timedOut;
    std::string_view endNotAcknowledged;
    std::string_view programmingNotAcknowledged;
};

// The pager's model number (ten tries, late replies taken): twelve characters, or
// nothing when it never answered.
std::optional<std::string> queryModelNumber(PagerLink& link) {
    if (queryWithLateReply(link, frame_text::kModelNumber, 10, kWaitMs) != QueryResult::Reply)
        return std::nullopt;
    std::string model;
    for (std::size_t k = 0; k < 12; ++k)
        model.push_back(static_cast<char>(link.replyDataByte(k)));
    link.clearReplyStatus();
    return model;
}

// The model number the codeplug claims: up to 16 characters, ending before 0xFF.
std::string sourceModelNumber(const CodeplugImage& image) {
    std::string model;
    for (Address a = 0x011A; a < 0x011A + 16 && image.at(a) != 0xFF; ++a)
        model.push_back(static_cast<char>(image.at(a)));
    return model;
}

OperationOutcome closeProgramming(PagerLink& link, OperationHost& host, const ClosingTexts& t) {
    for (const auto& [frame, noAck] :
         {std::pair{t.endFrame, t.endNotAcknowledged},
          std::pair{frame_text::kEndProgramming, t.programmingNotAcknowledged}}) {
        sleepMs(100);
        switch (closingCommand(link, frame)) {
        case QueryResult::TimedOut:
            return fail(host, t.timedOut, true);
        case QueryResult::NoReply:
            return fail(host, noAck, true);
        case QueryResult::Reply:
            break;
        }
    }
    return OperationOutcome::Succeeded;
}

} // namespace

OperationOutcome startReading(PagerLink& link, OperationHost& host) {
    host.openProgress(op_texts::kReadingStart);
    sleepMs(100);
    switch (queryFiveTimes(link, frame_text::kStartRead, kStatusAck)) {
    case QueryResult::TimedOut:
        return fail(host, link_texts::kReadError5, true);
    case QueryResult::NoReply:
        return fail(host, op_texts::kReadError1, true);
    case QueryResult::Reply:
        link.clearReplyStatus();
        break;
    }
    return OperationOutcome::Succeeded;
}

QueryResult queryWithLateReply(PagerLink& link, std::string_view frame, int attempts, int waitMs) {
    ExchangeRule rule;
    rule.frame = frame;
    rule.attempts = attempts;
    rule.waitMs = waitMs;
    rule.expected = kStatusData;
    rule.pauseAfterMiss = [](int i) { return i == 4 ? 1000 : 50; };
    rule.lateReply = LateReply::AfterPause;
    return exchange(link, rule);
}

OperationOutcome readBlocks(PagerLink& link, OperationHost& host, std::span<const int> blocks,
                            BlockProgress progress,
                            const std::function<void(Address, std::uint8_t)>& store) {
    sleepMs(100);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const int n = blocks[i];
        const auto address = static_cast<std::uint16_t>(64 * n);
        const std::string frame = readBlockFrame(address);
        ExchangeRule rule;
        rule.frame = frame;
        rule.attempts = 6;
        rule.pauseAfterSend = [](int r) { return 100 + 20 * r; };
        rule.waitMs = kWaitMs;
        rule.expected = kStatusData;
        // A late answer to an earlier request (a retry's, after a reply that came
        // apart) holds another block: not this block's reply.
        rule.accept = [address](const PagerLink& l) { return l.blockReplyAddress() == address; };
        switch (exchange(link, rule)) {
        case QueryResult::TimedOut:
            return fail(host, link_texts::kReadError5, true);
        case QueryResult::NoReply:
            return fail(host, op_texts::kReadError2, true);
        case QueryResult::Reply:
            break;
        }
        for (std::size_t k = 0; k < kBlockSize; ++k)
            store(address + static_cast<Address>(k), link.blockDataByte(k));
        link.clearReplyStatus();
        // A read-back of other blocks counts them in order.
        const int percent = progress == BlockProgress::CodeplugRead
                                ? readProgressPercent(n)
                                : static_cast<int>((i + 1) * 100 / blocks.size());
        host.updateProgress(percent, progressText("Reading ", percent));
        host.repaintView();
    }

    return closeProgramming(link, host,
                            {frame_text::kEndRead, link_texts::kReadError5, op_texts::kReadError3,
                             op_texts::kReadError4});
}

std::optional<std::array<std::uint8_t, 5>> queryFirmwareVersion(PagerLink& link) {
    if (queryWithLateReply(link, frame_text::kFirmwareVersion, 10, kWaitMs) != QueryResult::Reply)
        return std::nullopt;
    std::array<std::uint8_t, 5> firmware{};
    for (std::size_t k = 0; k < firmware.size(); ++k)
        firmware[k] = link.replyDataByte(k);
    link.clearReplyStatus();
    return firmware;
}

OperationOutcome verifyCodeplug(PagerLink& link, const CodeplugImage& expected, OperationHost& host,
                                std::vector<Address>& differences, CodeplugImage* pagerImage) {
    differences.clear();
    // A pager of another model holds another layout (another band, other fields):
    // compared byte by byte it would differ everywhere, decoded with the wrong band.
    // Checked as Write checks it, before anything is read.
    const auto pagerModel = queryModelNumber(link);
    if (!pagerModel)
        return fail(host, op_texts::kCommError2);
    if (*pagerModel != sourceModelNumber(expected))
        return fail(host, op_texts::kWriteError7);
    if (!queryFirmwareVersion(link))
        return fail(host, op_texts::kCommError2);
    if (const auto started = startReading(link, host); started != OperationOutcome::Succeeded)
        return started;
    const OperationOutcome read = readBlocks(link, host, kVerifyBlocks, BlockProgress::InOrder,
                                             [&](Address a, std::uint8_t b) {
                                                 if (pagerImage)
                                                     pagerImage->set(a, b);
                                                 if (expected.at(a) != b)
                                                     differences.push_back(a);
                                             });
    if (read != OperationOutcome::Succeeded)
        return read;
    sleepMs(100);
    host.closeProgress();
    return OperationOutcome::Succeeded;
}

int readProgressPercent(int block) {
    return block > 250 ? 100 : (block - 4) * 100 / 25;
}
int writeProgressPercent(int block) {
    return (block - 8) * 100 / 237;
}

OperationOutcome readCodeplug(PagerLink& link, CodeplugState& state, OperationHost& host,
                              CodeplugImage* arrived) {
    // 1. Questions about the image in memory.
    if (!askBeforeRead(state, host))
        return OperationOutcome::Cancelled;

    // 2. Firmware version.
    const auto firmware = queryFirmwareVersion(link);
    if (!firmware)
        return fail(host, op_texts::kCommError2);

    // 3. Serial number.
    if (serialNumberCheck(link, host, op_texts::kReadError9) != OperationOutcome::Succeeded)
        return OperationOutcome::Failed;

    // 4, 5. Progress window, start of read.
    if (const auto started = startReading(link, host); started != OperationOutcome::Succeeded)
        return started;

    // 6 to 8. The blocks go to a staging image, never straight into the document: a
    // cradle pulled half-way must not leave the first blocks of the pager mixed with
    // the rest of the file, still tied to that file. Addresses the read does not
    // cover keep what the committed image holds.
    CodeplugImage staged = state.image;
    const OperationOutcome blocks =
        readBlocks(link, host, kReadBlocks, BlockProgress::CodeplugRead,
                   [&](Address a, std::uint8_t b) { staged.set(a, b); });
    if (arrived != nullptr)
        *arrived = staged;
    if (blocks != OperationOutcome::Succeeded)
        return blocks;

    // 9.
    sleepMs(100);
    host.closeProgress();

    // 11, 12. Is it a codeplug at all? A read that is not leaves the document as it was.
    if (staged.at(0x0100) == 0xFF || staged.at(0x0200) == 0xFF || staged.at(0x0300) == 0xFF)
        return fail(host, op_texts::kReadError6);
    BandLimits band = state.band;
    if (!checkImage(staged, band)) {
        link.close();
        return fail(host, op_texts::kFileError2);
    }

    // 10, 13. Every block arrived and checked: the image is the document's now, whole,
    // and it has no file yet.
    commitStagedRead(state, staged, band, *firmware);
    link.close();
    releaseOperationLinkHold();
    state.busy = false;
    host.repaintView();
    host.openUserData();
    return OperationOutcome::Succeeded;
}

void commitStagedRead(CodeplugState& state, const CodeplugImage& staged, const BandLimits& band,
                      const std::array<std::uint8_t, 5>& firmware) {
    // Only the read blocks come from the pager; the edit image keeps its own bytes
    // elsewhere, as a read into both images always did.
    for (int n : kReadBlocks)
        for (Address a = static_cast<Address>(64 * n); a < static_cast<Address>(64 * n + 64); ++a) {
            state.image.set(a, staged.at(a));
            state.editImage.set(a, staged.at(a));
        }
    state.band = band;
    for (std::size_t k = 0; k < firmware.size(); ++k)
        state.firmwareVersion[k] = std::string(1, static_cast<char>(firmware[k]));
    // The General tab has not shown this pager's version yet.
    state.shownFirmwareVersion.clear();
    state.loaded = true;
    state.modified = false;
    state.currentPath.clear();
    state.currentFileName.clear();
}

OperationOutcome writeCodeplug(PagerLink& link, CodeplugState& state, OperationHost& host) {
    const std::string sourceModel = sourceModelNumber(state.image);

    // 1.
    updateChecksums(state.image);

    // 2. Model number.
    const auto pagerModel = queryModelNumber(link);
    if (!pagerModel)
        return fail(host, op_texts::kCommError2);

    // 3. Serial number.
    if (serialNumberCheck(link, host, op_texts::kWriteError11Serial) != OperationOutcome::Succeeded)
        return OperationOutcome::Failed;

    // 4. Supported codeplug version.
    std::array<std::uint8_t, 5> version{};
    switch (queryFiveTimes(link, frame_text::kSupportedVersion, kStatusData)) {
    case QueryResult::TimedOut:
        return fail(host, op_texts::kCommError2);
    case QueryResult::NoReply:
        return fail(host, op_texts::kWriteError1);
    case QueryResult::Reply:
        break;
    }
    for (std::size_t k = 0; k < version.size(); ++k)
        version[k] = link.replyDataByte(k);
    link.clearReplyStatus();

    // 5, 6. Will this pager take this codeplug?
    if (version[1] > state.image.at(0x013B) || version[2] > state.image.at(0x013C)) {
        link.close();
        return fail(host, op_texts::kWriteError11Version);
    }
    if (*pagerModel != sourceModel)
        return fail(host, op_texts::kWriteError7);

    // 7. Start of write.
    sleepMs(100);
    switch (queryFiveTimes(link, frame_text::kStartWrite, kStatusAck)) {
    case QueryResult::TimedOut:
        return fail(host, op_texts::kWriteError5);
    case QueryResult::NoReply:
        return fail(host, op_texts::kWriteError1);
    case QueryResult::Reply:
        link.clearReplyStatus();
        break;
    }

    // 8, 9.
    refreshModelOptionsMirror(state.image);
    host.openProgress(op_texts::kWritingStart);
    sleepMs(100);

    // 10. The blocks.
    for (int n : kWriteBlocks) {
        const auto address = static_cast<std::uint16_t>(64 * n);
        std::array<std::uint8_t, kBlockSize> data{};
        for (std::size_t k = 0; k < kBlockSize; ++k)
            data[k] = state.image.at(address + static_cast<Address>(k));
        const std::string frame = writeBlockFrame(address, data);
        ExchangeRule rule;
        rule.frame = frame;
        rule.attempts = 11;
        rule.pauseAfterSend = [](int) { return 100; };
        rule.waitMs = kWaitMs;
        rule.expected = kStatusAck;
        switch (exchange(link, rule)) {
        case QueryResult::TimedOut:
            return fail(host, op_texts::kWriteError5, true);
        case QueryResult::NoReply:
            return fail(host, op_texts::kWriteError2, true);
        case QueryResult::Reply:
            break;
        }
        link.clearReplyStatus();
        const int percent = writeProgressPercent(n);
        host.updateProgress(percent, progressText("Writing ", percent));
        host.repaintView();
    }

    // 11, 12.
    if (const auto closed = closeProgramming(link, host,
                                             {frame_text::kEndWrite, op_texts::kWriteError5,
                                              op_texts::kWriteError3, op_texts::kWriteError4});
        closed != OperationOutcome::Succeeded)
        return closed;

    // 13. No message on success.
    sleepMs(100);
    host.closeProgress();
    return OperationOutcome::Succeeded;
}

OperationOutcome runPagerOperation(OperationSelector selector, CodeplugState& state,
                                   OperationHost& host, const CustomAudioDownload& download) {
    const OperationLinkHold hold;
    const auto chosen = choosePort(host);
    if (!chosen)
        return outcomeWithoutPort();
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
