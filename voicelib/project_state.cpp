#include "voicelib/project_state.h"

#include "voicelib/hooks.h"
#include "voicelib/sample_rates.h"
#include "voicelib/text_format.h"
#include "voicelib/vq4.h"
#include "voicelib/vq4_texts.h"

#include <ctime>
#include <filesystem>

namespace quorl::vq4 {

ProjectState& projectState() {
    static ProjectState state;
    return state;
}

ProjectFolders ProjectState::folders() const {
    ProjectFolders f;
    f.wavDir = resampleDir.empty() ? joinPath(projectDir, "WavFiles")
                                   : withoutTrailingSeparator(resampleDir);
    f.binDir = binDir.empty() ? joinPath(projectDir, "BinFiles") : withoutTrailingSeparator(binDir);
    return f;
}

std::string ProjectState::imagePath() const {
    if (!memFileName.empty())
        return memFileName;
    // Without a name the image takes the project folder's name.
    const std::filesystem::path dir(withoutTrailingSeparator(projectDir));
    return joinPath(dir.string(), dir.filename().string() + ".mem");
}

void freeProjectLists() {
    auto& s = projectState();
    s.macros.clear();
    s.prompts.clear();
    s.reserved.clear();
}

void openProject(const ProjectConfig& config) {
    freeProjectLists();
    auto& s = projectState();
    s.intMem = config.intMem;
    s.clockConfigurationByte = config.clockConfigurationByte;
    s.clockInputFrequency = config.clockInputFrequency;
    s.sourceFileSampleRate = config.sourceFileSampleRate;
    s.projectDir = boundedText(config.projectDir, sizeof config.projectDir);
    s.resampleDir = boundedText(config.resampleDir, sizeof config.resampleDir);
    s.binDir = boundedText(config.binDir, sizeof config.binDir);
    s.memFileName = boundedText(config.memFileName, sizeof config.memFileName);

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    s.openedMonth = local.tm_mon + 1;
    s.openedDay = local.tm_mday;
    s.openedYear = local.tm_year + 1900;

    if (!s.projectDir.empty()) {
        // A folder that cannot be made shows up later as a file that cannot be opened.
        std::error_code ec;
        for (const char* sub : {"WavFiles", "BinFiles", "Logs"})
            std::filesystem::create_directories(joinPath(s.projectDir, sub), ec);
    }
    s.macros = builtInMacros();
    s.prompts.clear();

    s.masterRate = masterSampleRate(s.clockConfigurationByte, s.clockInputFrequency);
    if (s.masterRate > kMasterRateWarningHz)
        reportError(texts::kMasterRateTitle, texts::kMasterRateText);
}

} // namespace quorl::vq4
