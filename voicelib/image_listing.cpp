#include "voicelib/image_listing.h"

#include "voicelib/text_format.h"

#include <algorithm>

namespace quorl::vq4 {

namespace {

std::string underscored(std::string s) {
    std::replace(s.begin(), s.end(), ' ', '_');
    return s;
}

std::string promptNameByNumber(const ProjectState& p, int number) {
    for (const auto& prompt : p.prompts)
        if (prompt.number == number)
            return prompt.name;
    return std::to_string(number);
}

std::string commandLine(const ProjectState& p, const MacroCommand& c) {
    switch (c.opcode) {
    case kOpPowerDown:
        return "//   PD\n";
    case kOpPlayMessage:
        return formatText("//   PLAY_MSG(%s)\n", std::to_string(c.operand).c_str());
    case kOpPlayPrompt:
        return formatText("//   PLAY_VP(%s)\n", promptNameByNumber(p, c.operand).c_str());
    case kOpSilence:
        return formatText("//   Silence (%d ms)\n", (c.operand + 1) * 32);
    case kOpClockConfig:
        return formatText("//   CLK CFG(%02x)\n", c.operand & 0xFF);
    case kOpConfig:
        return formatText("//   CFG(%d,%02x)\n", c.operand & 0xFF, c.operand >> 8);
    case kOpFinish:
        return "//   Finish\n";
    default:
        return "//   Unrecognized\n";
    }
}

} // namespace

std::string imageListing(const ProjectState& p, const ImageBuildReport& r) {
    std::string s;
    s += formatText("// Voice Prompt Editor Version %x.%04x\n", 0x151, 0x10);
    s += formatText("// Date %02d/%02d/%04d\n//\n", p.openedMonth, p.openedDay, p.openedYear);
    s += formatText("// Total file size is %d (0x%2x) Bytes\n", static_cast<int>(r.imageBytes),
                    static_cast<unsigned>(r.imageBytes));
    s += formatText("// There are %d Voice Prompts in this file.\n",
                    static_cast<int>(p.prompts.size()));
    s += formatText("// There are %d Voice Macros in this file.\n",
                    static_cast<int>(p.macros.size()));
    s += formatText("// There are %d reserved memory entries in this file.\n",
                    static_cast<int>(p.reserved.size()));
    s += formatText("// Recording Memory Pointer at address 0x%x (sector 0x%x).\n",
                    r.recordingPointer * kSectorSize, r.recordingPointer);
    s += formatText("// Protection Memory Pointer at address 0x%x (sector 0x%x).\n", 0u, 0u);
    s += "\n";
    for (const auto& m : p.macros)
        s += formatText("#define %s_VM%d\t\t%02d\n", underscored(m.name).c_str(), m.number,
                        m.number);
    for (const auto& v : p.prompts)
        s += formatText("#define %s_VP%d\t\t%02d\n", underscored(v.name).c_str(), v.number,
                        v.number);
    for (const auto& rr : p.reserved)
        s += formatText("#define %s\t\t0x%x\n", rr.name.c_str(), rr.begin);
    s += "\n";
    s += "// Voice Macros\n";
    s += "// VM TAG             #            SA    EA  \n";
    for (const auto& m : p.macros)
        s += formatText("// %15s %4d 0x%06x  0x%06x\n", m.name.c_str(), m.number, m.begin, m.end);
    s += "// Reserved Memory\n";
    s += "// RM TAG             #            SA    EA  \n";
    for (const auto& rr : p.reserved)
        s += formatText("// %15s  0x%06x  0x%06x\n", rr.name.c_str(), rr.begin, rr.end);
    s += "// Voice Prompts\n";
    s += "// VP TAG             #           Compression   Sample Rate   SA    EA  \n";
    for (const auto& v : p.prompts)
        s += formatText("// %15s %4d %22s %10d 0x%06x  0x%06x\n", v.name.c_str(), v.number,
                        v.codecTag.c_str(), v.sampleRate, v.begin, v.end);
    s += "// Voice Macro Detail\n";
    for (const auto& m : p.macros) {
        const auto cmds = m.commands();
        if (cmds.empty())
            continue;
        s += formatText("// VM %15s Index %4d\n", m.name.c_str(), m.number);
        for (const auto& c : cmds)
            s += commandLine(p, c);
    }
    return s;
}

} // namespace quorl::vq4
