#pragma once

#include "codeplug/codeplug_image.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quorl::test {

// A fresh folder under the system's temp folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::vector<char> readAll(const std::filesystem::path& p);
void writeAll(const std::filesystem::path& p, const std::vector<char>& bytes);
// The same for text: the whole file ("" when it cannot be read), and a file of `text`.
std::string fileText(const std::filesystem::path& p);
void writeText(const std::filesystem::path& p, const std::string& text);

// While alive, writing past `bytes` in any file fails (EFBIG), as on a full disk.
// Works for root too, unlike permission bits.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long previousSoft_;
    void (*previousHandler_)(int);
};

// Header plus image, as a .ppg record.
std::vector<char> ppgRecord(const CodeplugImage& image);

// The five-channel VHF factory image.
CodeplugImage validImage();

} // namespace quorl::test
