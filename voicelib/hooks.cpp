#include "voicelib/hooks.h"

#include <utility>

namespace quorl::vq4 {

namespace {

HookObserver& observer() {
    static HookObserver instance;
    return instance;
}

void notify(HookEvent::Kind kind, std::string_view title, std::string_view text) {
    if (observer())
        observer()(HookEvent{kind, std::string(title), std::string(text)});
}

} // namespace

void reportError(std::string_view title, std::string_view text) {
    notify(HookEvent::Kind::Error, title, text);
}

void reportFileError(std::string_view path) {
    notify(HookEvent::Kind::FileError, {}, path);
}

bool askQuestion(std::string_view title, std::string_view text) {
    notify(HookEvent::Kind::Question, title, text);
    return true;
}

void showStatus(std::string_view text) {
    notify(HookEvent::Kind::Status, {}, text);
}

void setHookObserver(HookObserver o) {
    observer() = std::move(o);
}

} // namespace quorl::vq4
