#pragma once

#include "voicelib/vq4.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorl {

// File and product version of the loaded voice-image library, four parts each.
struct Vq4Version {
    std::array<std::uint16_t, 4> file{};
    std::array<std::uint16_t, 4> product{};
};

// The program's hold on libVQ4.so: loads it by name at run time, checks that it
// carries a version, binds the entry points by name. Loading again first
// unloads the earlier copy, so every voice build starts from a fresh library
// (its state is process-global). Plain C++; no Qt.
class CXLoadLibrary {
public:
    CXLoadLibrary() = default;
    ~CXLoadLibrary();
    CXLoadLibrary(const CXLoadLibrary&) = delete;
    CXLoadLibrary& operator=(const CXLoadLibrary&) = delete;

    // Loads libVQ4.so from the program's folder or from its private library
    // folder ../lib/tessaly-vi-quorl, else wherever the dynamic linker finds it.
    bool load();
    // Loads the library at `path`. False, with nothing loaded, when the module
    // does not load, carries no version note or lacks an entry point.
    bool loadFrom(const std::string& path);
    void unload();

    bool isLoaded() const { return handle_ != nullptr; }
    const Vq4Version& version() const { return version_; }
    const std::string& path() const { return path_; }
    // The last reason a load failed, for diagnostics.
    const std::string& error() const { return error_; }

    // Where load() looks, in order.
    static std::vector<std::string> candidatePaths();

    // The bound entry points; null while nothing is loaded.
    decltype(&::VQ4Init) VQ4Init = nullptr;
    decltype(&::VQ4CompressVoice) VQ4CompressVoice = nullptr;
    decltype(&::VQ4CreateDownloadFile) VQ4CreateDownloadFile = nullptr;
    decltype(&::VQ4CreateDownloadFile2) VQ4CreateDownloadFile2 = nullptr;
    decltype(&::VQ4FreeAll) VQ4FreeAll = nullptr;
    decltype(&::DestroyVQ4) DestroyVQ4 = nullptr;
    decltype(&::VQ4DecodeStream) VQ4DecodeStream = nullptr; // optional (older libraries)
    decltype(&::CreateVQ4) CreateVQ4 = nullptr;             // optional
    decltype(&::GetCpuSpeedVQ4) GetCpuSpeedVQ4 = nullptr;   // optional

private:
    bool fail(const std::string& why);
    void clearBindings();

    void* handle_ = nullptr;
    std::string path_;
    std::string error_;
    Vq4Version version_;
};

// The version note of a module already loaded by `handle`; false without one.
bool readVq4VersionNote(void* handle, Vq4Version& version);

} // namespace quorl
