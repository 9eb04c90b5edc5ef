#include "textplug/text_file.h"

#include "textplug/text_reader.h"
#include "textplug/textplug_texts.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace quorl::textplug {

std::optional<std::string> readTextFile(const std::filesystem::path& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::string(msg::kReadFailed);
        return std::nullopt;
    }
    // Read at most one byte past the limit, so a huge file (or an endless device)
    // is refused without being read.
    std::string text(kMaxTextBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        error = std::string(msg::kReadFailed);
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxTextBytes) {
        error = std::string(msg::kTooLarge);
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
