#include "textplug/text_file.h"

#include "codeplug/file_reading.h"
#include "textplug/text_reader.h"
#include "textplug/textplug_texts.h"

#include <algorithm>
#include <cctype>

namespace quorl::textplug {

std::optional<std::string> readTextFile(const std::filesystem::path& path, std::string& error) {
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
