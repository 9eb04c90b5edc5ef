#pragma once

#include <filesystem>

namespace quorl {

// Holds the user's build folder for one process at a time: an exclusive lock on a file
// in it, held from construction to destruction. The program, the command-line tool and
// its fleet runs of the same user take turns this way when they leave their build
// results there.
class BuildFolderLock {
public:
    explicit BuildFolderLock(const std::filesystem::path& folder);
    ~BuildFolderLock();
    BuildFolderLock(const BuildFolderLock&) = delete;
    BuildFolderLock& operator=(const BuildFolderLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace quorl
