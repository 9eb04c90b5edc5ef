#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorl::inventory {

// One operation on one pager: who did it where, on which pager, and what came of it.
struct InventoryRecord {
    // Made on the station, unique across stations: sending a record twice keeps one.
    std::string id;
    std::string at; // ISO 8601, UTC, microseconds
    std::string station;
    std::string user;
    std::string cradle;
    std::string serialNumber;
    std::string model;
    std::string firmware;
    std::string operation; // "read", "write", "verify", "audio write"
    std::string result;    // "succeeded", "failed", "cancelled"
    std::string message;
    // SHA-256 of the codeplug read or written (the 16,384-byte image); empty when none.
    std::string codeplugSha256;
    // SHA-256 of each voice slot stream written, joined by ';'.
    std::string voiceSha256;
    // The codeplug itself when recording; kept once per hash in the store.
    std::vector<std::uint8_t> codeplug;

    bool operator==(const InventoryRecord&) const = default;
};

// Which pagers a list shows, by their last operation; an empty field takes any.
struct InventoryFilter {
    std::string serialNumber;
    std::string model;
    std::string since; // date or time, ISO 8601
    std::string station;
};

} // namespace quorl::inventory
