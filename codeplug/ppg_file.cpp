#include "codeplug/ppg_file.h"

#include "codeplug/atomic_file_write.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace quorl {

PpgReadResult readPpgFile(const std::filesystem::path& path) {
    PpgReadResult result;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        result.status = PpgReadStatus::CannotOpen;
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        result.status = PpgReadStatus::CannotOpen;
        return result;
    }
    std::vector<char> record(kPpgRecordSize);
    in.read(record.data(), static_cast<std::streamsize>(record.size()));
    if (static_cast<std::size_t>(in.gcount()) != kPpgRecordSize ||
        !std::equal(kPpgHeader.begin(), kPpgHeader.end(), record.begin())) {
        result.status = PpgReadStatus::InvalidFormat;
        return result;
    }
    // A second whole record means this is not a single codeplug.
    std::vector<char> extra(kPpgRecordSize);
    in.read(extra.data(), static_cast<std::streamsize>(extra.size()));
    if (static_cast<std::size_t>(in.gcount()) == kPpgRecordSize) {
        result.status = PpgReadStatus::InvalidFormat;
        return result;
    }
    auto bytes = result.image.bytes();
    std::transform(record.begin() + static_cast<std::ptrdiff_t>(kPpgHeader.size()), record.end(),
                   bytes.begin(), [](char c) { return static_cast<std::uint8_t>(c); });
    result.status = PpgReadStatus::Ok;
    return result;
}

bool writePpgFile(const std::filesystem::path& path, const CodeplugImage& image,
                  std::string* problem) {
    std::vector<std::byte> record(kPpgRecordSize);
    std::transform(kPpgHeader.begin(), kPpgHeader.end(), record.begin(),
                   [](char c) { return static_cast<std::byte>(c); });
    const auto bytes = image.bytes();
    std::transform(bytes.begin(), bytes.end(),
                   record.begin() + static_cast<std::ptrdiff_t>(kPpgHeader.size()),
                   [](std::uint8_t b) { return static_cast<std::byte>(b); });
    return writeFileAtomically(path, record, problem);
}

} // namespace quorl
