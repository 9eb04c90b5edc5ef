#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quorl::vq4 {

// The library has no user interface. Errors, file errors, questions and status
// texts go through these hooks, which show nothing; questions are answered yes.
void reportError(std::string_view title, std::string_view text);
void reportFileError(std::string_view path);
bool askQuestion(std::string_view title, std::string_view text);
void showStatus(std::string_view text);

// An in-process observer sees every hook call (the tests and the tools built
// from the library's sources use it); the library itself never installs one.
struct HookEvent {
    enum class Kind { Error, FileError, Question, Status };
    Kind kind;
    std::string title;
    std::string text;
};
using HookObserver = std::function<void(const HookEvent&)>;
void setHookObserver(HookObserver observer);

} // namespace quorl::vq4
