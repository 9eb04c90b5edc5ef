#pragma once

#include <string>
#include <vector>

namespace quorl::textplug {

// What a key of the codeplug text holds.
enum class KeyKind {
    Map,      // keys below it
    Text,     // any single value (the identity, lists whose items depend on the pager)
    Number,   // a decimal number (MHz, seconds)
    Position, // a whole number from `low` to `high`
    Tone,     // Hz from `low` to `high`, or "" for an empty box
    Item,     // one of `items`
};

struct KeyRule {
    std::string key;
    KeyKind kind = KeyKind::Text;
    std::vector<std::string> items;
    double low = 0;
    double high = 0;
    std::string description;
};

// The keys the map at `path` may hold ({} for the top, {"channels", "F2"} for a
// channel). The reader accepts exactly these keys, and the JSON Schema of the text
// is made from them, so the two cannot drift apart.
std::vector<KeyRule> keysBelow(const std::vector<std::string>& path);

} // namespace quorl::textplug
