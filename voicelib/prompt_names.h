#pragma once

#include <string>

namespace quorl::vq4 {

// The folders a project's files go to: `<wavDir>` for resampled copies and
// check WAVs, `<binDir>` for streams and their reports.
struct ProjectFolders {
    std::string wavDir;
    std::string binDir;
};

// Joins a folder and a file name with the platform's separator; a trailing
// separator of the folder is dropped first.
std::string joinPath(const std::string& folder, const std::string& fileName);
std::string withoutTrailingSeparator(std::string folder);

// A prompt's name: its source file name without folder and extension.
std::string promptName(const std::string& sourcePath);

// The file names of one prompt at one rate and codec.
struct PromptFileNames {
    std::string resampled;   // <wavDir>/<name>_<rate>.wav
    std::string checkWav;    // <wavDir>/<name>_<rate>_<tag>.wav
    std::string stream;      // <binDir>/<name>_<rate>_<tag>.bin
    std::string plainStream; // <binDir>/<name>.bin
    std::string report;      // <binDir>/<name>_<rate>_<tag>.txt
};
PromptFileNames promptFileNames(const ProjectFolders& folders, const std::string& name, int rate,
                                const std::string& tag);

// The listing beside an image: <image folder>/<image name>_mem.txt.
std::string listingPathFor(const std::string& imagePath);

} // namespace quorl::vq4
