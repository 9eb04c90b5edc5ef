#include "link/codeplug_operation.h"

#include "codeplug/channel_block.h"
#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/general_block.h"
#include "codeplug/model_options_block.h"
#include "link/command_frames.h"
#include "link/exchange.h"
#include "link/link_texts.h"
#include "link/link_timing.h"
#include "link/operation_host.h"
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

void sleepMs(int ms) {
    linkTiming().sleep(ms);
}

std::string progressText(const char* word, int percent) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%2d%%", word, percent);
    return buf;
}

OperationOutcome fail(OperationHost& host, std::string_view message, bool closeProgress = false) {
    if (closeProgress)
        host.closeProgress();
    host.showMessage(message, MessageIcon::Stop);
    return OperationOutcome::Failed;
}

// The messages of an exchange that brought no reply: a wait that ran out, or every
// try unanswered.
struct MissTexts {
    std::string_view timedOut;
    std::string_view noReply;
};

// True when the exchange brought its reply; otherwise the matching message is shown
// (after closing the progress window when asked) and the operation has failed.
bool expectReply(QueryResult result, OperationHost& host, const MissTexts& texts,
                 bool closeProgress = false) {
    switch (result) {
    case QueryResult::Reply:
        return true;
    case QueryResult::TimedOut:
        fail(host, texts.timedOut, closeProgress);
        return false;
    case QueryResult::NoReply:
        break;
    }
    fail(host, texts.noReply, closeProgress);
    return false;
}

OperationOutcome serialNumberCheck(PagerLink& link, OperationHost& host,
                                   std::string_view missingMessage) {
    if (!expectReply(queryFiveTimes(link, frame_text::kStatus, kStatusData), host,
                     {link_texts::kReadError5, op_texts::kReadError1}))
        return OperationOutcome::Failed;
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

OperationOutcome closeProgramming(PagerLink& link, OperationHost& host, const ClosingTexts& t) {
    for (const auto& [frame, noAck] :
         {std::pair{t.endFrame, t.endNotAcknowledged},
          std::pair{frame_text::kEndProgramming, t.programmingNotAcknowledged}}) {
        sleepMs(100);
        if (!expectReply(closingCommand(link, frame), host, {t.timedOut, noAck}, true))
            return OperationOutcome::Failed;
    }
    return OperationOutcome::Succeeded;
}

} // namespace

OperationOutcome startReading(PagerLink& link, OperationHost& host) {
    host.openProgress(op_texts::kReadingStart);
    sleepMs(100);
    if (!expectReply(queryFiveTimes(link, frame_text::kStartRead, kStatusAck), host,
                     {link_texts::kReadError5, op_texts::kReadError1}, true))
        return OperationOutcome::Failed;
    link.clearReplyStatus();
    return OperationOutcome::Succeeded;
}

OperationOutcome readBlocks(PagerLink& link, OperationHost& host, std::span<const int> blocks,
                            BlockProgress progress,
                            const std::function<void(Address, std::uint8_t)>& store) {
    sleepMs(100);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const int n = blocks[i];
        const auto address = static_cast<std::uint16_t>(blockAddress(n));
        if (!expectReply(blockReadExchange(link, readBlockFrame(address), address), host,
                         {link_texts::kReadError5, op_texts::kReadError2}, true))
            return OperationOutcome::Failed;
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

OperationOutcome writeBlocks(PagerLink& link, OperationHost& host, std::span<const int> blocks,
                             const std::function<std::uint8_t(Address)>& fetch) {
    sleepMs(100);
    for (const int n : blocks) {
        const auto address = static_cast<std::uint16_t>(blockAddress(n));
        std::array<std::uint8_t, kBlockSize> data{};
        for (std::size_t k = 0; k < kBlockSize; ++k)
            data[k] = fetch(address + static_cast<Address>(k));
        if (!expectReply(blockWriteExchange(link, writeBlockFrame(address, data)), host,
                         {op_texts::kWriteError5, op_texts::kWriteError2}, true))
            return OperationOutcome::Failed;
        link.clearReplyStatus();
        const int percent = writeProgressPercent(n);
        host.updateProgress(percent, progressText("Writing ", percent));
        host.repaintView();
    }

    return closeProgramming(link, host,
                            {frame_text::kEndWrite, op_texts::kWriteError5, op_texts::kWriteError3,
                             op_texts::kWriteError4});
}

std::optional<std::array<std::uint8_t, 5>> queryFirmwareVersion(PagerLink& link) {
    if (queryWithLateReply(link, frame_text::kFirmwareVersion, 10, kReplyWaitMs) !=
        QueryResult::Reply)
        return std::nullopt;
    std::array<std::uint8_t, 5> firmware{};
    for (std::size_t k = 0; k < firmware.size(); ++k)
        firmware[k] = link.replyDataByte(k);
    link.clearReplyStatus();
    return firmware;
}

std::optional<std::string> queryModelNumber(PagerLink& link) {
    if (queryWithLateReply(link, frame_text::kModelNumber, 10, kReplyWaitMs) != QueryResult::Reply)
        return std::nullopt;
    std::string model;
    for (std::size_t k = 0; k < 12; ++k)
        model.push_back(static_cast<char>(link.replyDataByte(k)));
    link.clearReplyStatus();
    return model;
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
    if (*pagerModel != GeneralBlock(expected).modelNumber())
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
    // Which pager is this: firmware version and serial number.
    const auto firmware = queryFirmwareVersion(link);
    if (!firmware)
        return fail(host, op_texts::kCommError2);
    if (serialNumberCheck(link, host, op_texts::kReadError9) != OperationOutcome::Succeeded)
        return OperationOutcome::Failed;

    if (const auto started = startReading(link, host); started != OperationOutcome::Succeeded)
        return started;

    // The blocks go to a staging image, never straight into the document: a
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

    sleepMs(100);
    host.closeProgress();

    // Is it a codeplug at all? A read that is not leaves the document as it was.
    if (GeneralBlock(staged).lengthByte() == 0xFF ||
        ConstModelOptionsBlock(staged).lengthByte() == 0xFF ||
        ConstChannelBlock(staged, 0).lengthByte() == 0xFF)
        return fail(host, op_texts::kReadError6);
    BandLimits band = state.band;
    if (!checkImage(staged, band)) {
        link.close();
        return fail(host, op_texts::kFileError2);
    }

    // Every block arrived and checked: the image is the document's now, whole,
    // and it has no file yet. The caller opens the User Data window on it once the
    // operation has ended.
    commitStagedRead(state, staged, band, *firmware);
    link.close();
    host.repaintView();
    return OperationOutcome::Succeeded;
}

void commitStagedRead(CodeplugState& state, const CodeplugImage& staged, const BandLimits& band,
                      const std::array<std::uint8_t, 5>& firmware) {
    // Only the read blocks come from the pager; the edit image keeps its own bytes
    // elsewhere, as a read into both images always did.
    for (int n : kReadBlocks)
        for (Address a = blockAddress(n); a < blockAddress(n) + kBlockSize; ++a) {
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
    const std::string sourceModel = GeneralBlock(state.image).modelNumber();

    updateChecksums(state.image);

    // Which pager is this: model number, serial number, supported codeplug version.
    const auto pagerModel = queryModelNumber(link);
    if (!pagerModel)
        return fail(host, op_texts::kCommError2);
    if (serialNumberCheck(link, host, op_texts::kWriteError11Serial) != OperationOutcome::Succeeded)
        return OperationOutcome::Failed;
    std::array<std::uint8_t, 5> version{};
    if (!expectReply(queryFiveTimes(link, frame_text::kSupportedVersion, kStatusData), host,
                     {op_texts::kCommError2, op_texts::kWriteError1}))
        return OperationOutcome::Failed;
    for (std::size_t k = 0; k < version.size(); ++k)
        version[k] = link.replyDataByte(k);
    link.clearReplyStatus();

    // Will this pager take this codeplug?
    const auto codeplugVersion = GeneralBlock(state.image).codeplugVersionChars();
    if (version[1] > static_cast<std::uint8_t>(codeplugVersion[1]) ||
        version[2] > static_cast<std::uint8_t>(codeplugVersion[2])) {
        link.close();
        return fail(host, op_texts::kWriteError11Version);
    }
    if (*pagerModel != sourceModel)
        return fail(host, op_texts::kWriteError7);

    // Start of write, then the blocks.
    sleepMs(100);
    if (!expectReply(queryFiveTimes(link, frame_text::kStartWrite, kStatusAck), host,
                     {op_texts::kWriteError5, op_texts::kWriteError1}))
        return OperationOutcome::Failed;
    link.clearReplyStatus();

    refreshModelOptionsMirror(state.image);
    host.openProgress(op_texts::kWritingStart);

    const OperationOutcome written =
        writeBlocks(link, host, kWriteBlocks, [&state](Address a) { return state.image.at(a); });
    if (written != OperationOutcome::Succeeded)
        return written;

    // A write that succeeded says nothing.
    sleepMs(100);
    host.closeProgress();
    return OperationOutcome::Succeeded;
}

} // namespace quorl
