#include "link/page_file.h"

#include <algorithm>
#include <fstream>

namespace quorl {

namespace fs = std::filesystem;

std::vector<std::uint8_t> makePages(const std::vector<std::uint8_t>& stream,
                                    std::uint16_t firstSector) {
    const std::size_t length = stream.size();
    const std::size_t blocks = length == 0 ? 1 : (length + kStreamBlock - 1) / kStreamBlock;
    // The file length the pager's tools always produced for a stream of L bytes.
    const std::size_t fileLength =
        kPageSize * ((length + 6 * (length / kPageSize) + 6) / kPageSize + 1);
    std::vector<std::uint8_t> out(std::max(fileLength, blocks * kPageSize), 0xFF);
    for (std::size_t j = 0; j < blocks; ++j) {
        std::uint8_t* page = out.data() + j * kPageSize;
        const bool first = j == 0;
        const bool last = j + 1 == blocks;
        const std::size_t begin = j * kStreamBlock;
        const std::size_t count = std::min(kStreamBlock, length - std::min(length, begin));
        std::uint8_t flags = first ? 0x5F : 0xDF;
        if (last)
            flags = static_cast<std::uint8_t>(flags & ~0x40);
        // The data of a page are its block without the configuration byte.
        const std::size_t lastOffset = last ? 5 + (count > 0 ? count - 1 : 0) : 0x0FFF;
        const auto sector = static_cast<std::uint16_t>(firstSector + j + (last ? 0 : 1));
        page[0] = flags;
        page[1] = static_cast<std::uint8_t>(lastOffset & 0xFF);
        page[2] = static_cast<std::uint8_t>(lastOffset >> 8);
        page[3] = static_cast<std::uint8_t>(sector & 0xFF);
        page[4] = static_cast<std::uint8_t>(sector >> 8);
        page[5] = 0xA4;
        // The block's first byte (its configuration byte) stays behind.
        if (count > 1)
            std::copy_n(stream.begin() + static_cast<std::ptrdiff_t>(begin) + 1, count - 1,
                        page + 6);
    }
    return out;
}

fs::path pageFilePath(const fs::path& streamPath) {
    fs::path p = streamPath;
    return p.replace_extension(".dwk");
}

bool convertStreamToPageFile(const fs::path& streamPath, std::uint16_t firstSector) {
    std::ifstream in(streamPath, std::ios::binary);
    if (!in)
        return false;
    const std::vector<std::uint8_t> stream{std::istreambuf_iterator<char>(in),
                                           std::istreambuf_iterator<char>()};
    return writePageFile(streamPath, stream, firstSector);
}

bool writePageFile(const fs::path& streamPath, const std::vector<std::uint8_t>& stream,
                   std::uint16_t firstSector) {
    const auto pages = makePages(stream, firstSector);
    std::ofstream out(pageFilePath(streamPath), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(pages.data()),
              static_cast<std::streamsize>(pages.size()));
    return static_cast<bool>(out);
}

bool readPageFile(const fs::path& path, PageBuffer& buffer) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    in.read(reinterpret_cast<char*>(buffer.bytes.data()),
            static_cast<std::streamsize>(buffer.bytes.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    // Only whole pages that carry a page header count; what follows the last page is
    // 0xFF padding.
    buffer.pages = 0;
    for (std::size_t p = 0; p < kPagesPerSlot && (p + 1) * kPageSize <= got; ++p) {
        const std::uint8_t flags = buffer.bytes[p * kPageSize];
        if (flags != 0x5F && flags != 0xDF && flags != 0x1F && flags != 0x9F)
            break;
        buffer.pages = p + 1;
        if (flags == 0x1F || flags == 0x9F)
            break;
    }
    return true;
}

std::uint16_t pageSector(const std::uint8_t* page) {
    const auto named = static_cast<std::uint16_t>(page[3] | (page[4] << 8));
    return page[0] == 0x9F || page[0] == 0x1F ? named : static_cast<std::uint16_t>(named - 1);
}

} // namespace quorl
