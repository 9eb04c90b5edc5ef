#pragma once

#include "audio/vq4_library.h"
#include "base/temporary_files.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorl {

// The build configuration written before every voice build: the 40 fixed pieces,
// with `folder` where the pager tools had their build folder and the slot's WAV as
// the first prompt.
std::string buildConfigText(const std::filesystem::path& folder, const std::string& wavPath);

// The file name a slot's recordings and streams go by ("Custom_Alert_1", "Custom_SW-A"):
// the slot names the stream, never the WAV, so two recordings of the same file name
// for two slots can never be taken for each other.
std::string slotFileStem(int slot);

// The stream the pager gets for a slot: <folder>/BinFiles/<slot>_8000_ADPCM14-4-1.bin.
std::filesystem::path slotStreamPath(const std::filesystem::path& folder, int slot);

// The download's own compression: 4-bit ADPCM at 8 kHz.
inline constexpr int kDownloadCompressionType = 4;
inline constexpr int kDownloadSrType = 3;

// What the pager would play for a recording: the stream as a download compresses it and
// the voice library's own decode of that stream.
struct HeardStream {
    std::vector<std::uint8_t> stream;
    std::vector<std::int16_t> samples;
    int sampleRate = 0;
    std::string codecTag;
};

// The program's side of the voice-image library. Every build works in a private folder
// of its own (mkdtemp, mode 0700) holding its configuration, the slot's recording copied
// under the slot's name, the resampled copies and the streams: it writes BuildIMG.cfg
// there, loads a fresh copy of libVQ4.so, reads the configuration back, compresses the
// prompts and lays out the memory image. Builds of one process take turns (the library
// has one state per process); builds of several processes never share a file.
//
// `folder` is the user's build folder: a build leaves a copy of its configuration and
// stream there for the user to see, under the folder's lock (build_folder_lock.h).
// The stream to send is the private one, which stays until the VoiceBuild goes.
class VoiceBuild {
public:
    explicit VoiceBuild(std::filesystem::path folder, std::string libraryPath = {})
        : folder_(std::move(folder)), libraryPath_(std::move(libraryPath)) {}
    ~VoiceBuild();
    VoiceBuild(const VoiceBuild&) = delete;
    VoiceBuild& operator=(const VoiceBuild&) = delete;

    // The stream of `slot` built from `wavPath`; none when the build folder is not the
    // user's own, no private folder can be made, the library cannot be loaded (then
    // nothing is called in it) or it wrote no stream.
    std::optional<std::filesystem::path> build(int slot, const std::string& wavPath);
    // `wavPath` compressed exactly as a download does, but with the given compression
    // and sample-rate types, then decoded by the library; nothing is left in the user's
    // folder. None, with problem() saying why, when the build or the decode fails.
    std::optional<HeardStream> hear(const std::string& wavPath, int compressionType, int srType);
    const std::string& problem() const { return problem_; }
    CXLoadLibrary& library() { return library_; }

private:
    std::optional<std::filesystem::path> privateCopy(const std::string& stem,
                                                     const std::string& wavPath);
    std::optional<std::filesystem::path> compress(const std::filesystem::path& wav,
                                                  int compressionType, int srType);
    std::optional<HeardStream> decode(const std::filesystem::path& stream);
    void leaveForUser(const std::filesystem::path& work, const std::filesystem::path& stream,
                      int slot);

    std::filesystem::path folder_;
    std::string libraryPath_; // empty: next to the program
    std::string problem_;
    std::string codecTag_; // of the last stream compressed
    CXLoadLibrary library_;
    std::vector<std::filesystem::path> workFolders_;
    std::vector<std::unique_ptr<TemporaryOnSignal>> removedOnSignal_;
};

} // namespace quorl
