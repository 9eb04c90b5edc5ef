#include "textplug/text_file.h"

#include "base/file_reading.h"
#include "textplug/text_reader.h"
#include "textplug/textplug_texts.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <fcntl.h>

namespace quorl::textplug {

namespace {

// Standard input ("-", /dev/stdin) and a shell's <(...) (/dev/fd/N) are pipes the
// user opened on purpose: they are read to their end through the descriptor the
// program was given.
std::optional<int> givenDescriptor(const std::string& path) {
    if (path == kStandardStream || path == "/dev/stdin")
        return 0;
    for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.starts_with(folder))
            continue;
        int fd = -1;
        const char* end = path.data() + path.size();
        const auto [last, ec] = std::from_chars(path.data() + folder.size(), end, fd);
        if (ec == std::errc{} && last == end && fd >= 0)
            return fd;
    }
    return std::nullopt;
}

} // namespace

bool isStandardStream(const std::filesystem::path& path) {
    return path == kStandardStream;
}

bool isGivenStream(const std::filesystem::path& path) {
    return givenDescriptor(path.string()).has_value();
}

std::optional<std::string> readTextFile(const std::filesystem::path& path, std::string& error) {
    if (const auto fd = givenDescriptor(path.string())) {
        if (::fcntl(*fd, F_GETFD) < 0) {
            error = openProblem(ENOENT);
            return std::nullopt;
        }
        // One byte past the limit tells a larger text without reading it all.
        std::string text(kMaxTextBytes + 1, '\0');
        text.resize(readUpTo(*fd, text.data(), text.size()));
        if (text.size() > kMaxTextBytes) {
            error = std::string(msg::kTooLarge);
            return std::nullopt;
        }
        return text;
    }
    std::string text, problem;
    bool tooLarge = false;
    if (!readSmallFile(path, kMaxTextBytes, text, problem, tooLarge)) {
        error = tooLarge ? std::string(msg::kTooLarge) : problem;
        return std::nullopt;
    }
    return text;
}

bool isTextFile(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".yaml" || ext == ".yml";
}

} // namespace quorl::textplug
