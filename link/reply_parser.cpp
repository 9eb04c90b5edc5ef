#include "link/reply_parser.h"

#include "link/command_frames.h"

#include <algorithm>

namespace quorl {

namespace {
bool isDataReplyCode(std::uint8_t b) {
    switch (b) {
    case 0x71:
    case 0x75:
    case 0x77:
    case 0x79:
    case 0x7B:
    case 0x7D:
    case 0x93:
    case 0xA3:
        return true;
    default:
        return false;
    }
}
} // namespace

void ReplyParser::reset() {
    hunt();
    length_ = 0;
    count_ = 0;
}

void ReplyParser::hunt() {
    fill_ = 0;
    state_ = 0;
}

void ReplyParser::store(std::uint8_t b) {
    // The longest reply the pager can count (LL = 255 plus the block header) is far
    // below the buffer, but a byte past the end is never written: the frame is dropped.
    if (fill_ >= frame_.size()) {
        hunt();
        return;
    }
    frame_[fill_++] = b;
}

void ReplyParser::parseByte(std::uint8_t b) {
    switch (state_) {
    case 0:
        if (b == kStx) {
            store(b);
            state_ = 1;
        }
        break;
    case 1:
        if (b == kFromPager) {
            store(b);
            state_ = 2;
        } else {
            hunt();
            // The byte that broke the frame may itself start the next one, so a stray
            // "02 71" never hides a reply that follows straight after it.
            if (b == kStx)
                parseByte(b);
        }
        break;
    case 2:
        if (b == kReplyBlock &&
            selector_.load(std::memory_order_relaxed) == OperationSelector::CustomAudioDownload) {
            // During a download the pager puts a 0x03 before its reply code.
            break;
        }
        if (b == kReplyBlock) {
            store(b);
            state_ = 3;
        } else if (b == kReplyAck || b == kReplyNak) {
            store(b);
            length_ = 0;
            count_ = 0;
            state_ = 8;
        } else if (isDataReplyCode(b)) {
            store(b);
            state_ = 5;
        } else {
            hunt();
            if (b == kStx)
                parseByte(b);
        }
        break;
    case 3:
        store(b);
        state_ = 4;
        break;
    case 4:
        store(b);
        state_ = 5;
        break;
    case 5:
        store(b);
        state_ = 6;
        break;
    case 6:
        store(b);
        length_ = b;
        count_ = 0;
        state_ = 7;
        break;
    case 7:
        store(b);
        ++count_;
        if (count_ >= length_) {
            count_ = 0;
            state_ = 8;
        }
        break;
    case 8: {
        if (fill_ < 2) {
            hunt();
            break;
        }
        // The checksum covers every stored byte after STX.
        const std::uint8_t sum =
            frameChecksum(std::span<const std::uint8_t>(frame_.data() + 1, fill_ - 1));
        store(b);
        if (state_ == 0)
            break;
        if (b == sum)
            state_ = 9;
        else
            hunt();
        break;
    }
    case 9:
        if (b == kEtx) {
            store(b);
            if (state_ == 9)
                deliver();
        }
        hunt();
        break;
    default:
        hunt();
        break;
    }
}

void ReplyParser::deliver() {
    if (fill_ < 3)
        return;
    const std::uint8_t code = frame_[2];
    struct Count {
        std::atomic<std::uint32_t>& n;
        ~Count() { n.fetch_add(1, std::memory_order_release); }
    } counted{mailbox_.delivered};
    if (code == kReplyAck) {
        mailbox_.status.store(kStatusAck, std::memory_order_release);
        return;
    }
    if (code == kReplyNak) {
        mailbox_.refused.fetch_add(1, std::memory_order_release);
        return; // the status stays as the exchange left it
    }
    if (length_ != 0) {
        const std::size_t n = std::size_t{length_} + 4;
        // A counted length that would run past the mailbox (or past what was stored)
        // is a reply no exchange asked for; it is dropped rather than copied past the end.
        if (n > mailbox_.bytes.size() || 3 + n > fill_)
            return;
        std::copy_n(frame_.begin() + 3, n, mailbox_.bytes.begin());
    }
    mailbox_.status.store(kStatusData, std::memory_order_release);
}

} // namespace quorl
