#include "link/custom_audio_download.h"

#include "audio/custom_audio_slots.h"
#include "audio/wav_check.h"
#include "link/codeplug_operation.h"
#include "link/command_frames.h"
#include "link/exchange.h"
#include "link/link_shared.h"
#include "link/link_timing.h"
#include "link/operation_host.h"
#include "link/operation_texts.h"
#include "link/page_file.h"
#include "link/pager_link.h"
#include "link/sha256.h"
#include "link/voice_stream_check.h"

#include "base/file_reading.h"

#include <algorithm>
#include <cstdio>
#include <span>
#include <string>

namespace quorl {

namespace {

constexpr int kWaitMs = 2000;

constexpr std::string_view kFileOpenNote =
    "A file is already open. Close any open file and Write custom audio again.";
constexpr std::string_view kDwkError =
    "File Error #1 \r\n\r\nCan not open the file; dwk file may be missing or invalid. ";
constexpr std::string_view kWriteError8 =
    "Write Error #8 \r\n\r\nUnable to communicate with the pager.\r\nPlease make sure that pager "
    "is properly seated in programming cradle. \r\nIf the pager is seated properly, recheck the "
    "programming cradle connection and power cycle the pager.";
constexpr std::string_view kWriteError9 =
    "Write Error #9 \r\n\r\nUnable to write the pager. Please try again. ";
constexpr std::string_view kWriteError10 =
    "Write Error #10 \r\n\r\nUnable to write the pager; connection timed out. Please try again. ";
constexpr std::string_view kTitle = "Write Custom Audio";

void sleepMs(int ms) {
    linkTiming().sleep(ms);
}

std::string percentText(const std::string& label, const char* what, int percent) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%3d%%", percent);
    return label + what + buf;
}

enum class Step { Done, Fatal, Restart, Skip };

// Everything that carries over between slots and slot restarts.
struct DownloadState {
    int retry = 0;
    int restarts = 0;
    PageBuffer buffer;
    std::string notWritten;
    SentStream sent;
};

Step fatal(OperationHost& host, std::string_view message) {
    host.closeProgress();
    host.showMessage(message, MessageIcon::Stop);
    return Step::Fatal;
}

// The presence check before each slot: the firmware query, as a read asks it.
bool present(PagerLink& link) {
    if (queryWithLateReply(link, frame_text::kFirmwareVersion, 10, kWaitMs) != QueryResult::Reply)
        return false;
    link.clearReplyStatus();
    return true;
}

Step erase(PagerLink& link, OperationHost& host, std::uint16_t firstSector,
           const std::string& label) {
    const std::string frame = eraseVoiceFrame(firstSector);
    ExchangeRule rule;
    rule.frame = frame;
    rule.attempts = 17; // sleeping 100 ms, 125 ms, ... 500 ms
    rule.pauseAfterSend = [](int i) { return 100 + 25 * i; };
    rule.waitMs = kWaitMs;
    rule.expected = kStatusAck;
    rule.lateReply = LateReply::AfterPauseButLast;
    rule.clearOnReply = true;
    rule.onMiss = [&](int i) {
        const int percent = (100 + 25 * i) / 5;
        host.updateProgress(percent, percentText(label, " Erasing ", percent));
    };
    switch (exchange(link, rule)) {
    case QueryResult::TimedOut:
        return fatal(host, kWriteError10);
    case QueryResult::NoReply:
        return fatal(host, kWriteError8);
    case QueryResult::Reply:
        break;
    }
    host.updateProgress(100, label + " Erasing 100%");
    return Step::Done;
}

Step writePages(PagerLink& link, OperationHost& host, DownloadState& d, const std::string& label) {
    for (std::size_t p = 0; p < d.buffer.pages; ++p) {
        const std::uint8_t* page = d.buffer.bytes.data() + p * kPageSize;
        const std::uint16_t sector = pageSector(page);
        for (std::uint8_t k = 0; k < 8;) {
            const std::span<const std::uint8_t, kVoicePartSize> part(page + 512 * k,
                                                                     kVoicePartSize);
            const std::string frame = writeVoiceFrame(sector, k, part);
            // The retry count carries over from part to part until a part is taken.
            const int firstTry = d.retry;
            ExchangeRule rule;
            rule.frame = frame;
            rule.attempts = 6 - firstTry;
            rule.pauseAfterSend = [firstTry](int i) { return 200 + 20 * (firstTry + i); };
            rule.waitMs = kWaitMs;
            rule.expected = kStatusAck;
            rule.clearOnReply = true;
            const QueryResult r = exchange(link, rule);
            if (r == QueryResult::TimedOut)
                return fatal(host, kWriteError10);
            if (r == QueryResult::Reply) {
                d.retry = 0;
                d.restarts = 0;
                const int percent = static_cast<int>((800 * p + 100 * k) / 31);
                host.updateProgress(percent, percentText(label, " Writing ", percent));
                ++k;
                continue;
            }
            d.retry = 5;
            if (d.restarts == 2)
                return fatal(host, kWriteError9);
            ++d.restarts;
            return Step::Restart;
        }
    }
    return Step::Done;
}

void notWritten(DownloadState& d, const std::string& label) {
    d.notWritten += (d.notWritten.empty() ? "" : ", ") + label;
}

// Every page must land in one of the slot's own four sectors.
bool pagesStayInSlot(const PageBuffer& buffer, std::uint16_t firstSector) {
    for (std::size_t p = 0; p < buffer.pages; ++p) {
        const std::uint16_t sector = pageSector(buffer.bytes.data() + p * kPageSize);
        if (sector < firstSector || sector >= firstSector + kPagesPerSlot)
            return false;
    }
    return true;
}

// A stream that must not be sent: the slot stays as it is, not even erased.
Step badStream(OperationHost& host, DownloadState& d, const std::string& label,
               const std::filesystem::path& file, const std::string& problem) {
    host.showMessage(label + " was not written: the voice stream " + file.string() +
                         " cannot be sent (" + problem + "). ",
                     MessageIcon::Stop);
    notWritten(d, label);
    return Step::Skip;
}

Step downloadSlot(PagerLink& link, OperationHost& host, DownloadState& d, int slot,
                  const DownloadSlot& s, const StreamBuilder& buildStream,
                  const SentStreamObserver& onSent) {
    const std::string label(kCustomAudioSlots[static_cast<std::size_t>(slot)].downloadName);
    // Never pages of an earlier slot.
    d.buffer = PageBuffer{};
    std::error_code ec;
    if (!std::filesystem::is_regular_file(s.wav, ec) || checkWav(s.wav).status != WavCheck::Ok) {
        notWritten(d, label);
        return Step::Skip;
    }
    // A build that could not run (no build folder, no library) or produced nothing
    // leaves no stream: the slot is not written rather than sent stale.
    const auto stream = buildStream(slot, s.wav.string());
    if (!stream || !std::filesystem::is_regular_file(*stream, ec)) {
        notWritten(d, label);
        return Step::Skip;
    }
    // The stream is checked, hashed and turned into pages from one reading of it, so
    // what is checked is what is sent.
    std::string contents, problem;
    bool tooLarge = false;
    if (!readSmallFile(*stream, kPagesPerSlot * kStreamBlock, contents, problem, tooLarge)) {
        if (tooLarge)
            problem = "longer than a slot holds";
        return badStream(host, d, label, *stream, problem);
    }
    const std::vector<std::uint8_t> bytes(contents.begin(), contents.end());
    if (const auto bad = voiceStreamProblem(bytes))
        return badStream(host, d, label, *stream, *bad);
    const auto firstSector = kSlotFirstSector[static_cast<std::size_t>(slot)];
    if (!writePageFile(*stream, bytes, firstSector))
        return fatal(host, kFileOpenNote);
    if (!readPageFile(pageFilePath(*stream), d.buffer)) {
        host.showMessage(kDwkError, MessageIcon::Stop);
        notWritten(d, label);
        return Step::Skip;
    }
    // The page file must hold exactly the stream's pages (nothing swapped in beside it).
    const auto pages = makePages(bytes, firstSector);
    const std::size_t count = pagesForStream(bytes.size());
    if (d.buffer.pages != count ||
        !std::equal(pages.begin(), pages.begin() + static_cast<std::ptrdiff_t>(count * kPageSize),
                    d.buffer.bytes.begin()) ||
        !pagesStayInSlot(d.buffer, firstSector))
        return badStream(host, d, label, pageFilePath(*stream),
                         "its pages do not match the stream");
    d.sent = {slot, stream->string(), bytes.size(), sha256Hex(bytes)};
    if (!present(link))
        return fatal(host, op_texts::kCommError2);
    if (const Step e = erase(link, host, firstSector, label); e != Step::Done)
        return e;
    const Step written = writePages(link, host, d, label);
    if (written == Step::Done && onSent)
        onSent(d.sent);
    return written;
}

} // namespace

OperationOutcome downloadCustomAudio(PagerLink& link, OperationHost& host,
                                     const std::array<DownloadSlot, kDownloadSlots>& slots,
                                     const StreamBuilder& buildStream,
                                     const SentStreamObserver& onSent) {
    DownloadState d;
    host.openProgress(kTitle);
    for (int slot = 0; slot < kDownloadSlots; ++slot) {
        const DownloadSlot& s = slots[static_cast<std::size_t>(slot)];
        if (!s.write)
            continue;
        Step step = Step::Restart;
        while (step == Step::Restart)
            step = downloadSlot(link, host, d, slot, s, buildStream, onSent);
        if (step == Step::Fatal)
            return OperationOutcome::Failed;
    }
    sleepMs(100);
    host.closeProgress();
    if (!d.notWritten.empty()) {
        host.showMessage("Note: The write to the pager is completed. \r\nBut the " + d.notWritten +
                             " was not written to the pager; audio file may be deleted or moved or "
                             "invalid format. ",
                         MessageIcon::Information);
    }
    return OperationOutcome::Succeeded;
}

} // namespace quorl
