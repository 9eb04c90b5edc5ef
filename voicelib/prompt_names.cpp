#include "voicelib/prompt_names.h"

#include <filesystem>

namespace quorl::vq4 {

namespace {
constexpr char kSeparator = std::filesystem::path::preferred_separator;
}

std::string withoutTrailingSeparator(std::string folder) {
    // The root folder itself keeps its only separator.
    if (folder.size() > 1 && folder.back() == kSeparator)
        folder.pop_back();
    return folder;
}

std::string joinPath(const std::string& folder, const std::string& fileName) {
    const std::string base = withoutTrailingSeparator(folder);
    if (base.empty())
        return fileName;
    if (base.back() == kSeparator)
        return base + fileName;
    return base + kSeparator + fileName;
}

std::string promptName(const std::string& sourcePath) {
    return std::filesystem::path(sourcePath).stem().string();
}

PromptFileNames promptFileNames(const ProjectFolders& folders, const std::string& name, int rate,
                                const std::string& tag) {
    const std::string base = name + "_" + std::to_string(rate);
    PromptFileNames n;
    n.resampled = joinPath(folders.wavDir, base + ".wav");
    n.checkWav = joinPath(folders.wavDir, base + "_" + tag + ".wav");
    n.stream = joinPath(folders.binDir, base + "_" + tag + ".bin");
    n.plainStream = joinPath(folders.binDir, name + ".bin");
    n.report = joinPath(folders.binDir, base + "_" + tag + ".txt");
    return n;
}

std::string listingPathFor(const std::string& imagePath) {
    const std::filesystem::path p(imagePath);
    return joinPath(p.parent_path().string(), p.stem().string() + "_mem.txt");
}

} // namespace quorl::vq4
