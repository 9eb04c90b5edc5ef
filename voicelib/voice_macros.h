#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorl::vq4 {

// Voice macro opcodes of the voice chip.
enum MacroOpcode : std::uint8_t {
    kOpPowerDown = 0x12,
    kOpPlayMessage = 0x3C,
    kOpPlayPrompt = 0xA6,
    kOpSilence = 0xA8,
    kOpClockConfig = 0xB4,
    kOpConfig = 0xB8,
    kOpFinish = 0xFF,
};

// One command: an opcode and a 16-bit operand. In the command data each takes
// three bytes, the operand's high byte first (a0 00 05 plays prompt 5).
struct MacroCommand {
    std::uint8_t opcode = 0;
    std::uint16_t operand = 0;
};

struct VoiceMacro {
    int number = 0;
    std::string name;
    std::vector<std::uint8_t> data; // command bytes as they go into the image
    std::uint32_t begin = 0;
    std::uint32_t end = 0;

    std::vector<MacroCommand> commands() const;
};

// The three macros every project starts with: POI, PU (power-up), WAKEUP.
std::vector<VoiceMacro> builtInMacros();

// The checks before an image is written. True when the build may go on.
bool checkVoiceMacros(const std::vector<VoiceMacro>& macros);

// Register names for CFG commands ("CFG_AUD", "VOLC", ...); empty when unnamed.
std::string configRegisterName(int number);
// A register list line: "0x%03X %s" with the name without its "CFG_" prefix.
std::string configRegisterLine(int number);

} // namespace quorl::vq4
