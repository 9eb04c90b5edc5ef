#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

namespace quorl::vq4::fuzz {

// The library reads files, so each input goes to a file of this process.
inline std::string writeInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = "/tmp/quorl-fuzz-" + std::to_string(::getpid()) + "-" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

} // namespace quorl::vq4::fuzz
