#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorl::sim {

// A command frame as the pager takes it off the wire.
struct CommandFrame {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload; // between the command byte and the checksum
};

enum class ScanResult { Incomplete, Valid, Invalid };

struct FrameScan {
    ScanResult result = ScanResult::Incomplete;
    std::size_t length = 0; // bytes of the frame (Valid, or a known-length broken frame)
    CommandFrame frame;
    std::string problem; // why it is Invalid
};

// Checks the frame at the start of `bytes` (which begins with STX): layout by command,
// the counts the commands carry, checksum and ETX.
FrameScan scanCommandFrame(std::span<const std::uint8_t> bytes);

// The address a fault rule matches: the codeplug address of the block commands, the
// sector of the voice commands, the slot or tone of the play commands; -1 for others.
int frameAddress(const CommandFrame& frame);

// Replies as the pager sends them.
std::vector<std::uint8_t> ackReply();
std::vector<std::uint8_t> nakReply();
std::vector<std::uint8_t> dataReply(std::uint8_t code, std::span<const std::uint8_t> data);
std::vector<std::uint8_t> blockReply(std::uint16_t address, std::span<const std::uint8_t> data);

} // namespace quorl::sim
