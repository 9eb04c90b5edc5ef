#pragma once

#include <atomic>
#include <utility>

namespace quorl {

// The document's "a pager operation runs" flag. Anyone may read it; only a
// BusyClaim sets and clears it, so no path can leave it set once its operation has
// ended, nor clear it under an operation that still runs.
class BusyFlag {
public:
    bool load() const { return value_.load(); }
    explicit operator bool() const { return load(); }

private:
    friend class BusyClaim;
    std::atomic<bool> value_{false};
};

// Holds the document for one pager operation (or the fleet window) while it lives.
// Taking it fails while another claim holds the flag; the flag clears when the
// claim ends, whichever way its operation ended.
class BusyClaim {
public:
    explicit BusyClaim(BusyFlag& flag) {
        bool clear = false;
        if (flag.value_.compare_exchange_strong(clear, true))
            flag_ = &flag;
    }
    ~BusyClaim() { release(); }
    BusyClaim(BusyClaim&& other) noexcept : flag_(std::exchange(other.flag_, nullptr)) {}
    BusyClaim(const BusyClaim&) = delete;
    BusyClaim& operator=(const BusyClaim&) = delete;
    BusyClaim& operator=(BusyClaim&&) = delete;

    // False when another claim held the flag already.
    explicit operator bool() const { return flag_ != nullptr; }

    void release() {
        if (flag_ != nullptr)
            flag_->value_ = false;
        flag_ = nullptr;
    }

private:
    BusyFlag* flag_ = nullptr;
};

} // namespace quorl
