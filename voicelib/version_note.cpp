// The library's file and product version as an ELF note, so a program that has
// loaded libVQ4.so can read the version from the module in memory (the loader
// walks the module's PT_NOTE segments).
#include "voicelib/vq4.h"

#include <cstdint>

namespace {

struct VersionNote {
    std::uint32_t nameSize;
    std::uint32_t descSize;
    std::uint32_t type;
    char name[12]; // "TessalyVQ4" with its terminator, padded to 4 bytes
    std::uint16_t parts[VQ4_VERSION_NOTE_PARTS];
};
static_assert(sizeof(VQ4_VERSION_NOTE_NAME) <= 12);

[[gnu::used, gnu::section(".note.tessaly.version"),
  gnu::aligned(4)]] const VersionNote kVersionNote = {
    sizeof(VQ4_VERSION_NOTE_NAME),
    sizeof(std::uint16_t) * VQ4_VERSION_NOTE_PARTS,
    VQ4_VERSION_NOTE_TYPE,
    VQ4_VERSION_NOTE_NAME,
    {VQ4_FILE_VERSION, VQ4_PRODUCT_VERSION},
};

} // namespace
