#include "voicelib/text_format.h"

#include <cstring>

namespace quorl::vq4 {

void copyBounded(char* dest, std::size_t capacity, const std::string& text) {
    if (dest == nullptr || capacity == 0)
        return;
    const std::size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(dest, text.data(), n);
    dest[n] = '\0';
}

std::string boundedText(const char* source, std::size_t capacity) {
    if (source == nullptr)
        return {};
    const void* end = std::memchr(source, '\0', capacity);
    const std::size_t n =
        end ? static_cast<std::size_t>(static_cast<const char*>(end) - source) : capacity;
    return std::string(source, n);
}

} // namespace quorl::vq4
