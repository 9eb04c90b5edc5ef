#pragma once

#include "codeplug/profile_store.h"

#include <QSettings>
#include <QStringList>

namespace quorl {

// The per-user profile in QSettings, under the same company and product names the
// program has always used for its registry key.
class QtProfileStore : public ProfileStore {
public:
    QtProfileStore();

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback) override;
    void writeString(const std::string& section, const std::string& key,
                     const std::string& value) override;
    int readInt(const std::string& section, const std::string& key, int fallback) override;
    void writeInt(const std::string& section, const std::string& key, int value) override;

    // The four most recent files, newest first.
    QStringList recentFiles();
    void addRecentFile(const QString& path);

    QSettings& settings() { return settings_; }

private:
    QSettings settings_;
};

inline constexpr int kRecentFileCount = 4;

} // namespace quorl
