// Build configuration text of any content through the INI reader.
#include "audio/ini_reader.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quorl::IniReader ini;
    ini.parse(std::string(reinterpret_cast<const char*>(data), size));
    if (ini.readString("Info", "ProjectDir", "", 259).size() > 259)
        std::abort();
    ini.readHex("Info", "ClockConfigurationByte", 0x24);
    ini.readInt("Info", "ClockInputFrequency", 4096000);
    ini.readList("VPWaveList", "VW_", 255);
    return 0;
}
