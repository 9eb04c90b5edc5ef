#pragma once

#include <map>
#include <string>
#include <utility>

namespace quorl {

// The per-user profile ("Settings"/"WorkingDir", "Settings"/"Tip_View", the serial
// port choice). The program keeps it in QSettings; code below the interface sees
// only this, and tests use the in-memory store.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    virtual std::string readString(const std::string& section, const std::string& key,
                                   const std::string& fallback) = 0;
    virtual void writeString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    virtual int readInt(const std::string& section, const std::string& key, int fallback) = 0;
    virtual void writeInt(const std::string& section, const std::string& key, int value) = 0;
};

class MemoryProfileStore : public ProfileStore {
public:
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback) override {
        const auto it = strings_.find({section, key});
        return it == strings_.end() ? fallback : it->second;
    }
    void writeString(const std::string& section, const std::string& key,
                     const std::string& value) override {
        strings_[{section, key}] = value;
    }
    int readInt(const std::string& section, const std::string& key, int fallback) override {
        const auto it = ints_.find({section, key});
        return it == ints_.end() ? fallback : it->second;
    }
    void writeInt(const std::string& section, const std::string& key, int value) override {
        ints_[{section, key}] = value;
    }

private:
    std::map<std::pair<std::string, std::string>, std::string> strings_;
    std::map<std::pair<std::string, std::string>, int> ints_;
};

} // namespace quorl
