#pragma once

#include <cstdio>
#include <string>

namespace quorl::vq4 {

// printf-style formatting into a std::string, for the library's fixed message
// formats.
template <typename... Args> std::string formatText(const char* format, Args... args) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0)
        return {};
    std::string s(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(s.data(), s.size(), format, args...);
#pragma GCC diagnostic pop
    s.resize(static_cast<std::size_t>(n));
    return s;
}

// Copies `text` into a fixed array of `capacity` bytes, truncating, always
// terminated. Nothing is written when capacity is 0.
void copyBounded(char* dest, std::size_t capacity, const std::string& text);

// The text of a fixed array that may lack its terminator: at most `capacity` bytes.
std::string boundedText(const char* source, std::size_t capacity);

} // namespace quorl::vq4
