#pragma once

#include "voicelib/hooks.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quorl::vq4::test {

// Records what the library passes to its silent hooks while it lives.
class HookRecorder {
public:
    HookRecorder() {
        setHookObserver([this](const HookEvent& e) { events.push_back(e); });
    }
    ~HookRecorder() { setHookObserver(nullptr); }
    HookRecorder(const HookRecorder&) = delete;
    HookRecorder& operator=(const HookRecorder&) = delete;

    bool hasError(const std::string& title, const std::string& text) const {
        return std::any_of(events.begin(), events.end(), [&](const HookEvent& e) {
            return e.kind == HookEvent::Kind::Error && e.title == title && e.text == text;
        });
    }
    std::size_t count(HookEvent::Kind kind) const {
        return static_cast<std::size_t>(std::count_if(
            events.begin(), events.end(), [kind](const HookEvent& e) { return e.kind == kind; }));
    }

    std::vector<HookEvent> events;
};

} // namespace quorl::vq4::test
