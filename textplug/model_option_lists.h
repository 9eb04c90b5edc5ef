#pragma once

#include "editors/model_options_tab.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorl::textplug {

// One value of the Model Options tab in the order the tab lays them out: a list
// with its items, or one of the two seconds boxes.
struct ModelOptionField {
    std::string_view key;
    std::optional<ModelOptionList> list;
    std::span<const std::string_view> itemNames;
    bool isPriorityScan = false; // else the alert duration box, when not a list

    std::vector<std::string> items() const { return {itemNames.begin(), itemNames.end()}; }
};

// The values the tab shows (Auto Deletion is hidden and carried unchanged).
std::span<const ModelOptionField> modelOptionFields();

} // namespace quorl::textplug
