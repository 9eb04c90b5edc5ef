#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace quorl::fuzz {

// The readers under test take paths, so each input goes to a file: one per
// process and name, replaced by every run.
inline std::filesystem::path inputFile(std::string_view name, const std::uint8_t* data,
                                       std::size_t size) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("quorl-fuzz-" + std::to_string(::getpid()) + "-" + std::string(name));
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

} // namespace quorl::fuzz
