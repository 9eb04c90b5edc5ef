#include "app/suggested_file_name.h"

#include "codeplug/general_block.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace quorl {

std::string suggestedFileBase(const CodeplugState& state) {
    if (!state.currentFileName.empty())
        return std::filesystem::path(state.currentFileName).stem().string();
    if (state.loaded) {
        std::string serial = GeneralBlock(state.image).serialNumber();
        // Only letters and digits reach a file name; a blank or odd serial is not one.
        serial.erase(std::remove_if(serial.begin(), serial.end(),
                                    [](unsigned char c) { return !std::isalnum(c); }),
                     serial.end());
        if (!serial.empty())
            return serial;
    }
    return "codeplug";
}

} // namespace quorl
