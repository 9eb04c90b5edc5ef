#pragma once

#include "audio/vq4_library.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quorl {

// The build configuration written before every voice build: the 40 fixed pieces,
// with `folder` where the pager tools had their build folder and the slot's WAV as
// the first prompt.
std::string buildConfigText(const std::filesystem::path& folder, const std::string& wavPath);

// The stream the pager gets for a slot WAV: <folder>/BinFiles/<name>_8000_ADPCM14-4-1.bin.
std::filesystem::path slotStreamPath(const std::filesystem::path& folder,
                                     const std::string& wavPath);

// The program's side of the voice-image library: writes BuildIMG.cfg, loads a fresh
// copy of libVQ4.so, reads the configuration back, compresses the prompts and lays
// out the memory image. Returns the stream file of the slot WAV; none when the
// build folder cannot be written or the library cannot be loaded (then nothing is
// called in it).
class VoiceBuild {
public:
    explicit VoiceBuild(std::filesystem::path folder, std::string libraryPath = {})
        : folder_(std::move(folder)), libraryPath_(std::move(libraryPath)) {}

    std::optional<std::filesystem::path> build(const std::string& wavPath);
    CXLoadLibrary& library() { return library_; }

private:
    std::filesystem::path folder_;
    std::string libraryPath_; // empty: next to the program
    CXLoadLibrary library_;
};

} // namespace quorl
