#include "link/reply_parser.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace quorl {
namespace {

using Bytes = std::vector<std::uint8_t>;

class ReplyParserTest : public ::testing::Test {
protected:
    void feed(const Bytes& bytes) {
        for (auto b : bytes)
            parser.parseByte(b);
    }
    // A data reply 02 80 code 00 LL data CK 03.
    static Bytes dataReply(std::uint8_t code, const Bytes& data) {
        Bytes f;
        f.reserve(data.size() + 7);
        for (const std::uint8_t b : {std::uint8_t{0x02}, std::uint8_t{0x80}, code,
                                     std::uint8_t{0x00}, static_cast<std::uint8_t>(data.size())})
            f.push_back(b);
        for (const std::uint8_t b : data) // one by one: GCC 12 at -O3 misjudges an insert
            f.push_back(b);
        f.push_back(static_cast<std::uint8_t>(std::accumulate(f.begin() + 1, f.end(), 0u)));
        f.push_back(0x03);
        return f;
    }
    Bytes mailboxPrefix(std::size_t n) const {
        return Bytes(mailbox.bytes.begin(), mailbox.bytes.begin() + static_cast<long>(n));
    }

    ReplyMailbox mailbox;
    std::atomic<OperationSelector> selector{OperationSelector::CodeplugRead};
    ReplyParser parser{mailbox, selector};
};

TEST_F(ReplyParserTest, AckSetsStatusNakLeavesIt) {
    feed({0x02, 0x80, 0x15, 0x95, 0x03});
    EXPECT_EQ(mailbox.status.load(), kStatusNone);
    feed({0x02, 0x80, 0x06, 0x86, 0x03});
    EXPECT_EQ(mailbox.status.load(), kStatusAck);
    mailbox.status = kStatusData;
    feed({0x02, 0x80, 0x15, 0x95, 0x03});
    EXPECT_EQ(mailbox.status.load(), kStatusData);
    EXPECT_EQ(parser.state(), 0);
}

TEST_F(ReplyParserTest, FirmwareReplyLandsFromLengthOn) {
    const Bytes reply = dataReply(0x71, {'V', '1', '.', '0', '7'});
    feed(reply);
    EXPECT_EQ(mailbox.status.load(), kStatusData);
    // 00 05, the five characters, checksum, ETX.
    EXPECT_EQ(mailboxPrefix(9), Bytes(reply.begin() + 3, reply.end()));
}

TEST_F(ReplyParserTest, BlockReplyLandsFromAddressOn) {
    Bytes data(64);
    std::iota(data.begin(), data.end(), std::uint8_t{0x30});
    Bytes f{0x02, 0x80, 0x03, 0x01, 0x00, 0x00, 0x40};
    f.insert(f.end(), data.begin(), data.end());
    f.push_back(static_cast<std::uint8_t>(std::accumulate(f.begin() + 1, f.end(), 0u)));
    f.push_back(0x03);
    feed(f);
    ASSERT_EQ(mailbox.status.load(), kStatusData);
    Bytes expected{0x01, 0x00, 0x00, 0x40};
    expected.insert(expected.end(), data.begin(), data.end());
    EXPECT_EQ(mailboxPrefix(68), expected);
}

TEST_F(ReplyParserTest, StrayBytesAndAStrayCommandDoNotHideAReply) {
    Bytes bytes{0x55, 0x03, 0xFF, 0x02, 0x71, 0x70, 0xE1, 0x03, 0x02, 0x02};
    const Bytes reply = dataReply(0x93, {0x40});
    bytes.insert(bytes.end(), reply.begin() + 1, reply.end()); // the second 02 above is its STX
    feed(bytes);
    EXPECT_EQ(mailbox.status.load(), kStatusData);
    EXPECT_EQ(mailbox.bytes[2], 0x40);
}

TEST_F(ReplyParserTest, DamagedFramesAreDiscardedSilently) {
    feed({0x02, 0x80, 0x06, 0x87, 0x03}); // checksum
    feed({0x02, 0x80, 0x06, 0x86, 0x04}); // ETX
    feed({0x02, 0x80, 0x42, 0xC2, 0x03}); // reply code outside the table
    EXPECT_EQ(mailbox.status.load(), kStatusNone);
    Bytes broken = dataReply(0x71, {'A', 'B', 'C', 'D', 'E'});
    broken[6] ^= 0x20;
    feed(broken);
    EXPECT_EQ(mailbox.status.load(), kStatusNone);
    feed({0x02, 0x80, 0x06, 0x86, 0x03}); // the parser is hunting again
    EXPECT_EQ(mailbox.status.load(), kStatusAck);
}

TEST_F(ReplyParserTest, DownloadSkipsTheBlockCodeInTheCodePosition) {
    selector = OperationSelector::CustomAudioDownload;
    feed({0x02, 0x80, 0x03, 0x06, 0x86, 0x03});
    EXPECT_EQ(mailbox.status.load(), kStatusAck);
    // Outside a download the same bytes start a block reply that never completes.
    mailbox.status = kStatusNone;
    selector = OperationSelector::CodeplugWrite;
    parser.reset();
    feed({0x02, 0x80, 0x03, 0x06, 0x86, 0x03});
    EXPECT_EQ(mailbox.status.load(), kStatusNone);
}

TEST_F(ReplyParserTest, ResetDropsAPartialFrame) {
    const Bytes reply = dataReply(0x71, {'V', '1', '.', '0', '7'});
    feed(Bytes(reply.begin(), reply.begin() + 6));
    parser.reset();
    feed(Bytes(reply.begin() + 6, reply.end()));
    EXPECT_EQ(mailbox.status.load(), kStatusNone);
}

TEST_F(ReplyParserTest, ZeroLengthDataReplyTakesOneByteAsData) {
    // 02 80 79 00 00 <data> CK 03: status set, mailbox untouched.
    mailbox.bytes.fill(0xEE);
    feed({0x02, 0x80, 0x79, 0x00, 0x00, 0x11, 0x0A, 0x03});
    EXPECT_EQ(mailbox.status.load(), kStatusData);
    EXPECT_EQ(mailbox.bytes[0], 0xEE);
}

TEST_F(ReplyParserTest, ReplyLongerThanTheMailboxIsDroppedNotCopied) {
    mailbox.bytes.fill(0xEE);
    feed(dataReply(0x71, Bytes(79, 0x41))); // 83 bytes would be copied
    EXPECT_EQ(mailbox.status.load(), kStatusNone);
    EXPECT_EQ(mailbox.bytes[0], 0xEE);
    feed(dataReply(0x71, Bytes(78, 0x42))); // exactly 82 fits
    EXPECT_EQ(mailbox.status.load(), kStatusData);
    EXPECT_EQ(mailbox.bytes[81], 0x03);
    feed(dataReply(0x71, Bytes(255, 0x43))); // the longest a reply can count
    EXPECT_EQ(mailbox.bytes[2], 0x42);
    EXPECT_EQ(parser.state(), 0);
}

} // namespace
} // namespace quorl
