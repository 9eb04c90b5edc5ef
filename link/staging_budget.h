#pragma once

#include <cstddef>

namespace quorl {

// How much one drain may take: the watcher's staging ring holds 4,192 bytes with one
// slot always free. Nothing ever reads the staged bytes, so only the count is kept; a
// chunk is taken while the free space is greater than its length.
class StagingBudget {
public:
    static constexpr std::size_t kRingSize = 4192;

    bool take(std::size_t chunk) {
        if (kRingSize - held_ <= chunk)
            return false;
        held_ += chunk;
        return true;
    }
    void empty() { held_ = 0; }
    std::size_t held() const { return held_; }

private:
    std::size_t held_ = 0;
};

} // namespace quorl
