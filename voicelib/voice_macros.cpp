#include "voicelib/voice_macros.h"

#include "voicelib/codec_types.h"
#include "voicelib/hooks.h"
#include "voicelib/text_format.h"
#include "voicelib/vq4_texts.h"

namespace quorl::vq4 {

std::vector<MacroCommand> VoiceMacro::commands() const {
    std::vector<MacroCommand> out;
    for (std::size_t i = 0; i < data.size(); i += 3) {
        MacroCommand c;
        c.opcode = data[i];
        // A command cut short at the end of the data (a lone PD or FINISH)
        // has the operand bytes it has.
        if (i + 1 < data.size())
            c.operand = static_cast<std::uint16_t>(data[i + 1] << 8);
        if (i + 2 < data.size())
            c.operand = static_cast<std::uint16_t>(c.operand | data[i + 2]);
        out.push_back(c);
    }
    return out;
}

std::vector<VoiceMacro> builtInMacros() {
    std::vector<VoiceMacro> m(3);
    m[0].number = 0;
    m[0].name = "POI";
    m[1].number = 1;
    m[1].name = "PU";
    m[2].number = 2;
    m[2].name = "WAKEUP";
    return m;
}

bool checkVoiceMacros(const std::vector<VoiceMacro>& macros) {
    for (const auto& macro : macros) {
        const auto cmds = macro.commands();
        if (cmds.empty())
            continue;
        for (const auto& c : cmds) {
            if (c.opcode == kOpConfig && (c.operand & 0xFF) == 0 &&
                !isValidConfigurationByte(c.operand >> 8)) {
                reportError(texts::kVmCommandErrorTitle,
                            formatText(texts::kVmCfg0Invalid, macro.name.c_str()));
                return false;
            }
        }
        const std::uint8_t last = cmds.back().opcode;
        if (macro.number == 1 && last == kOpPowerDown) {
            reportError(texts::kInvalidVmTitle, texts::kPuEndsWithPd);
            return false;
        }
        if (last != kOpFinish && last != kOpPowerDown &&
            !askQuestion(texts::kVmWarningTitle, formatText(texts::kVmNoFinish, macro.number)))
            return false;
    }
    return true;
}

std::string configRegisterName(int n) {
    static const char* const kFixed[] = {"CFG_AUD", "CFG_REG1", "CFG_REG2", "VOLC"};
    if (n >= 0 && n <= 3)
        return kFixed[n];
    if (n >= 4 && n <= 15)
        return formatText("CFG_REG%X", n);
    if (n >= 16 && n <= 19)
        return formatText("CFG_REG%X", n);
    if (n == 20)
        return "VOLB";
    if (n == 21)
        return "VOLA";
    if (n >= 22 && n <= 24)
        return formatText("CFG_REG%X", n);
    switch (n) {
    case 25:
        return "CFG_REG_GPIO_DO";
    case 26:
        return "CFG_REG_GPIO_OE";
    case 27:
        return "CFG_REG_GPIO_PE";
    case 28:
        return "CFG_REG_GPIO_DI";
    case 30:
        return "CFG_REG_GPIO_AF1";
    case 31:
        return "CFG_REG_GPIO_AF0";
    default:
        break;
    }
    if (n >= 32 && n <= 47)
        return formatText((n & 1) ? "CFG_R%d_MSB" : "CFG_R%d", (n - 32) / 2);
    return {};
}

std::string configRegisterLine(int n) {
    std::string name = configRegisterName(n);
    if (name.rfind("CFG_", 0) == 0)
        name.erase(0, 4);
    return formatText("0x%03X %s", n, name.c_str());
}

} // namespace quorl::vq4
