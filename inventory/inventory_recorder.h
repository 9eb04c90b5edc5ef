#pragma once

#include "inventory/inventory_location.h"

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

namespace quorl::inventory {

// Records operations as they end. A store that cannot be reached never stops an
// operation: its record waits in a local SQLite queue and is sent first thing the
// next time the store answers (or by sync). Safe to call from several workers.
class InventoryRecorder {
public:
    InventoryRecorder(std::string url, std::filesystem::path queueFile);

    // Fills in the id, time, station and user when empty, then records. False, with
    // the reason, only when neither the store nor the queue took the record.
    bool record(InventoryRecord record, std::string* problem = nullptr);

    // Sends what the queue holds; the count sent, or nothing (with the reason) when the
    // store cannot be reached. Records already in the store are not doubled.
    std::optional<int> sync(std::string* problem = nullptr);

    // Records waiting in the queue.
    int queued();

private:
    InventoryStore& store();
    int sendQueue();

    std::string url_;
    std::filesystem::path queueFile_;
    std::mutex mutex_;
    std::unique_ptr<InventoryStore> store_;
};

// The queue of the user's station: inventory-queue.sqlite in the user's data folder.
std::filesystem::path defaultQueueFile();

// The program's recorder: the store named by setInventoryUrl (the --inventory
// option), else $QUORL_INVENTORY, else the bench's own file.
std::string& inventoryUrlSetting();
InventoryRecorder& stationRecorder();

// A new record's own fields.
std::string newRecordId();
std::string stationName();
std::string userName();
std::string isoTimeMicroseconds();

} // namespace quorl::inventory
