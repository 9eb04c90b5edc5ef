// Feeds arbitrary line bytes to the reply parser. The first byte picks the operation
// selector (the download changes how the reply code is read); a 0xA5 0x5A pair stands
// for the start of a new drain.
#include "link/reply_parser.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorl;
    if (size == 0)
        return 0;
    ReplyMailbox mailbox;
    std::atomic<OperationSelector> selector{static_cast<OperationSelector>(data[0] % 4)};
    ReplyParser parser(mailbox, selector);
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == 0xA5 && i + 1 < size && data[i + 1] == 0x5A) {
            parser.reset();
            ++i;
            continue;
        }
        parser.parseByte(data[i]);
        if (parser.state() < 0 || parser.state() > 9 ||
            parser.storedCount() > ReplyParser::kFrameBufferSize)
            std::abort();
    }
    const auto status = mailbox.status.load();
    if (status != kStatusNone && status != kStatusData && status != kStatusAck)
        std::abort();
    return 0;
}
