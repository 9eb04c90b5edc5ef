#include "audio/ini_reader.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace quorl {

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

} // namespace

bool IniReader::load(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream text;
    text << in.rdbuf();
    parse(text.str());
    return true;
}

void IniReader::parse(const std::string& text) {
    sections_.clear();
    std::string section;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            if (close != std::string::npos)
                section = lower(trim(line.substr(1, close - 1)));
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        auto& keys = sections_[section];
        const std::string key = lower(trim(line.substr(0, eq)));
        // The first occurrence of a key wins, as with the profile functions.
        keys.emplace(key, trim(line.substr(eq + 1)));
    }
}

const std::string* IniReader::find(const std::string& section, const std::string& key) const {
    const auto s = sections_.find(lower(section));
    if (s == sections_.end())
        return nullptr;
    const auto k = s->second.find(lower(key));
    return k == s->second.end() ? nullptr : &k->second;
}

std::string IniReader::readString(const std::string& section, const std::string& key,
                                  const std::string& fallback, std::size_t maxLength) const {
    const std::string* v = find(section, key);
    std::string out = v ? *v : fallback;
    if (out.size() > maxLength)
        out.resize(maxLength);
    return out;
}

long long IniReader::readInt(const std::string& section, const std::string& key,
                             long long fallback) const {
    const std::string* v = find(section, key);
    if (!v || v->empty())
        return fallback;
    std::size_t i = 0;
    bool negative = false;
    if ((*v)[0] == '-' || (*v)[0] == '+') {
        negative = (*v)[0] == '-';
        i = 1;
    }
    if (i >= v->size() || !std::isdigit(static_cast<unsigned char>((*v)[i])))
        return fallback;
    long long n = 0;
    for (; i < v->size() && std::isdigit(static_cast<unsigned char>((*v)[i])); ++i) {
        if (n > 1'000'000'000'000LL)
            break; // absurd values stop growing instead of overflowing
        n = n * 10 + ((*v)[i] - '0');
    }
    return negative ? -n : n;
}

std::uint16_t IniReader::readHex(const std::string& section, const std::string& key,
                                 std::uint16_t fallback) const {
    const std::string v = readString(section, key, "", 7);
    if (v.size() < 2 || v[0] != '0' || (v[1] != 'x' && v[1] != 'X'))
        return fallback;
    unsigned value = 0;
    for (std::size_t i = 2; i < v.size(); ++i) {
        const char c = v[i];
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0)
            break;
        value = ((value << 4) | static_cast<unsigned>(d)) & 0xFFFF;
    }
    return static_cast<std::uint16_t>(value);
}

std::vector<std::string> IniReader::readList(const std::string& section, const std::string& prefix,
                                             std::size_t maxLength) const {
    std::vector<std::string> out;
    for (int i = 1;; ++i) {
        const std::string v = readString(section, prefix + std::to_string(i), "", maxLength);
        if (v.empty())
            break;
        out.push_back(v);
    }
    return out;
}

} // namespace quorl
