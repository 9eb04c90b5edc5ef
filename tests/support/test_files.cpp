#include "tests/support/test_files.h"

#include "codeplug/default_codeplug.h"
#include "codeplug/ppg_file.h"

#include <csignal>
#include <fstream>
#include <stdexcept>
#include <stdlib.h>
#include <sys/resource.h>

namespace quorl::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorl-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

FileSizeLimit::FileSizeLimit(unsigned long bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit lim{};
    ::getrlimit(RLIMIT_FSIZE, &lim);
    previousSoft_ = lim.rlim_cur;
    lim.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &lim);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit lim{};
    ::getrlimit(RLIMIT_FSIZE, &lim);
    lim.rlim_cur = previousSoft_;
    ::setrlimit(RLIMIT_FSIZE, &lim);
    std::signal(SIGXFSZ, previousHandler_);
}

std::vector<char> readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::filesystem::path& p, const std::vector<char>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string fileText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const std::filesystem::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
}

std::vector<char> ppgRecord(const CodeplugImage& image) {
    std::vector<char> out(kPpgHeader.begin(), kPpgHeader.end());
    for (auto b : image.bytes())
        out.push_back(static_cast<char>(b));
    return out;
}

CodeplugImage validImage() {
    return makeDefaultCodeplug(vhfFiveChannelFactory());
}

} // namespace quorl::test
