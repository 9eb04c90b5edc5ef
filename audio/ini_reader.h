#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace quorl {

// Reads an INI text the way the build configuration has always been read: section
// and key names match without regard to case, values are trimmed, a value longer
// than the caller's limit is cut, and malformed lines are ignored.
class IniReader {
public:
    bool load(const std::filesystem::path& file);
    void parse(const std::string& text);

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback, std::size_t maxLength) const;
    // A decimal number with optional sign; the default when the value is missing or
    // does not start with a number.
    long long readInt(const std::string& section, const std::string& key, long long fallback) const;
    // The hex reader: at most 7 characters; without a "0x"/"0X" prefix the default,
    // "0x" alone 0, else hex digits accumulated into 16 bits up to the first other
    // character.
    std::uint16_t readHex(const std::string& section, const std::string& key,
                          std::uint16_t fallback) const;
    // Key1, Key2, ... until the first key whose value is empty.
    std::vector<std::string> readList(const std::string& section, const std::string& prefix,
                                      std::size_t maxLength) const;

private:
    const std::string* find(const std::string& section, const std::string& key) const;
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

} // namespace quorl
