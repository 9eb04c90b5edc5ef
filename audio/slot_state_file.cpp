#include "audio/slot_state_file.h"

#include "audio/build_folder_lock.h"

#include "base/atomic_file_write.h"
#include "base/private_folder.h"

#include <fstream>
#include <span>
#include <vector>

namespace quorl {

SlotStates defaultSlotStates(const std::filesystem::path& installFolder) {
    SlotStates s;
    for (int i = 0; i < kCustomAudioSlotCount; ++i)
        s[static_cast<std::size_t>(i)].path = defaultRecording(installFolder, i).string();
    return s;
}

std::optional<SlotStates> readSlotStateFile(const std::filesystem::path& file,
                                            const std::filesystem::path& installFolder) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() < 39 && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    SlotStates s = defaultSlotStates(installFolder);
    for (std::size_t i = 0; i < kCustomAudioSlotCount; ++i) {
        if (i < lines.size())
            s[i].path = lines[i];
        if (13 + i < lines.size())
            s[i].useDefault = lines[13 + i] == "1";
        if (26 + i < lines.size())
            s[i].write = lines[26 + i] == "1";
    }
    return s;
}

bool writeSlotStateFile(const std::filesystem::path& file, const SlotStates& states) {
    std::string text;
    for (const auto& s : states)
        text += s.path + "\r\n";
    for (const auto& s : states)
        text += std::string(s.useDefault ? "1" : "0") + "\r\n";
    for (const auto& s : states)
        text += std::string(s.write ? "1" : "0") + "\r\n";
    // The working folder is the user's own, or nothing is written there.
    if (std::string problem; !ensurePrivateFolder(file.parent_path(), problem))
        return false;
    // The program and the command-line tool of the same user take turns in the folder.
    const BuildFolderLock lock(file.parent_path());
    return writeFileAtomically(file, std::as_bytes(std::span(text.data(), text.size())));
}

bool anySlotMarked(const SlotStates& states) {
    for (const auto& s : states)
        if (s.write)
            return true;
    return false;
}

} // namespace quorl
