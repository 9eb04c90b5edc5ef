#pragma once

#include <chrono>
#include <filesystem>
#include <functional>

namespace quorl::test {

// Waits until `done` holds, looking again whenever something is made, written,
// moved in, removed or has its mode changed in `folder` or in any folder inside it
// (made before or while waiting); at most `timeout`. True when it holds. For another process's
// files, where no other event tells the test that they changed.
bool waitForFolderChange(const std::filesystem::path& folder, const std::function<bool()>& done,
                         std::chrono::milliseconds timeout);

} // namespace quorl::test
