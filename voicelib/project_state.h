#pragma once

#include "voicelib/prompt_names.h"
#include "voicelib/voice_macros.h"

#include <cstdint>
#include <string>
#include <vector>

struct ProjectConfig;

namespace quorl::vq4 {

// A prompt of the image being built.
struct PromptNode {
    int index = 0;
    std::string name;
    std::string sourcePath;
    int srType = 0;
    int sampleRate = 0;
    int compressionType = 0;
    std::string codecTag;
    std::int64_t size = 0;
    int number = 0;
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
    bool needsCompression = false;
};

// A region of the image kept for other data (VQ4CreateDownloadFile2 only).
struct ReservedRegion {
    enum class Kind { Data, Message, EmptyMessage };
    Kind kind = Kind::Data;
    std::string name;
    std::uint32_t sectors = 0;
    std::int32_t value = 0;
    std::vector<std::uint8_t> content; // a data file, or a message's stream
    bool needsCompression = false;     // a message whose stream file is missing
    bool placed = false;
    std::uint32_t begin = 0;
    std::uint32_t end = 0;
};

// The one open project of the process.
struct ProjectState {
    std::string projectDir;
    std::string resampleDir;
    std::string binDir;
    std::string memFileName;
    std::uint8_t clockConfigurationByte = 0x24;
    double clockInputFrequency = 4096000.0;
    double sourceFileSampleRate = 32000.0;
    std::int32_t intMem = 64;
    double masterRate = 32000.0;
    // The day the project was opened, for the image's version text.
    int openedMonth = 1;
    int openedDay = 1;
    int openedYear = 1970;

    std::vector<VoiceMacro> macros;
    std::vector<PromptNode> prompts;
    std::vector<ReservedRegion> reserved;

    ProjectFolders folders() const;
    std::string imagePath() const;
};

ProjectState& projectState();

// VQ4Init without the C boundary.
void openProject(const ProjectConfig& config);
// VQ4FreeAll: the lists go, the configuration stays.
void freeProjectLists();

} // namespace quorl::vq4
