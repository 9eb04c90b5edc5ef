#include "inventory/inventory_recorder.h"

#include "base/private_folder.h"
#include "inventory/sqlite_database.h"

#include <chrono>
#include <climits>
#include <cstdio>
#include <ctime>
#include <pwd.h>
#include <sys/random.h>
#include <unistd.h>

namespace quorl::inventory {

namespace {

std::unique_ptr<InventoryStore> openQueue(const std::filesystem::path& file) {
    std::string problem;
    if (!ensurePrivateFolder(file.parent_path(), problem))
        throw SqlError(problem);
    return std::make_unique<InventoryStore>(std::make_unique<SqliteDatabase>(file));
}

} // namespace

InventoryRecorder::InventoryRecorder(std::string url, std::filesystem::path queueFile)
    : url_(std::move(url)), queueFile_(std::move(queueFile)) {}

InventoryStore& InventoryRecorder::store() {
    if (!store_) {
        std::string problem;
        const auto location = parseInventoryUrl(url_, problem);
        if (!location)
            throw SqlError(problem);
        store_ = openInventory(*location);
    }
    return *store_;
}

int InventoryRecorder::sendQueue() {
    std::error_code ec;
    if (!std::filesystem::exists(queueFile_, ec))
        return 0;
    auto queue = openQueue(queueFile_);
    int sent = 0;
    for (const auto& r : queue->all(true)) {
        // Added before it leaves the queue: a failure between the two sends it again,
        // and the store keeps it once.
        store().add(r);
        queue->remove(r.id);
        ++sent;
    }
    return sent;
}

bool InventoryRecorder::record(InventoryRecord r, std::string* problem) {
    if (url_ == "none")
        return true;
    if (r.id.empty())
        r.id = newRecordId();
    if (r.at.empty())
        r.at = isoTimeMicroseconds();
    if (r.station.empty())
        r.station = stationName();
    if (r.user.empty())
        r.user = userName();
    std::lock_guard lock(mutex_);
    try {
        sendQueue();
        store().add(r);
        return true;
    } catch (const SqlError&) {
        store_.reset(); // opened afresh next time
    }
    try {
        openQueue(queueFile_)->add(r);
        return true;
    } catch (const SqlError& e) {
        if (problem)
            *problem = e.what();
        return false;
    }
}

std::optional<int> InventoryRecorder::sync(std::string* problem) {
    std::lock_guard lock(mutex_);
    try {
        return sendQueue();
    } catch (const SqlError& e) {
        store_.reset();
        if (problem)
            *problem = e.what();
        return std::nullopt;
    }
}

int InventoryRecorder::queued() {
    std::lock_guard lock(mutex_);
    std::error_code ec;
    if (!std::filesystem::exists(queueFile_, ec))
        return 0;
    return static_cast<int>(openQueue(queueFile_)->all().size());
}

std::filesystem::path defaultQueueFile() {
    return userDataFolder() / "inventory-queue.sqlite";
}

std::string& inventoryUrlSetting() {
    static std::string url;
    return url;
}

InventoryRecorder& stationRecorder() {
    static InventoryRecorder recorder(chosenInventoryUrl(inventoryUrlSetting()),
                                      defaultQueueFile());
    return recorder;
}

std::string newRecordId() {
    // 128 random bits: stations never coordinate, and still never collide.
    unsigned char bytes[16]{};
    std::size_t got = 0;
    while (got < sizeof bytes) {
        const auto n = ::getrandom(bytes + got, sizeof bytes - got, 0);
        if (n > 0)
            got += static_cast<std::size_t>(n);
    }
    std::string id;
    char hex[3];
    for (const unsigned char b : bytes) {
        std::snprintf(hex, sizeof hex, "%02x", b);
        id.append(hex);
    }
    return id;
}

std::string stationName() {
    char name[HOST_NAME_MAX + 1]{};
    return ::gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string();
}

std::string userName() {
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::geteuid(), &entry, buffer, sizeof buffer, &found) == 0 && found)
        return found->pw_name;
    return std::to_string(::geteuid());
}

std::string isoTimeMicroseconds() {
    const auto now = std::chrono::system_clock::now();
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(now.time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(micros / 1000000);
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%06lldZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<long long>(micros % 1000000));
    return text;
}

} // namespace quorl::inventory
