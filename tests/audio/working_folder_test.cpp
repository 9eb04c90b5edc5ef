#include "audio/custom_audio_slots.h"
#include "audio/slot_state_file.h"
#include "audio/voice_build.h"
#include "base/private_folder.h"
#include "tests/support/test_files.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace quorl {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> getEnv(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::optional<std::string>(v) : std::nullopt;
}

void putEnv(const char* name, const std::optional<std::string>& value) {
    if (value)
        ::setenv(name, value->c_str(), 1);
    else
        ::unsetenv(name);
}

TEST(WorkingFolder, WithoutHomeItIsNeverASharedFolder) {
    const auto home = getEnv("HOME"), data = getEnv("XDG_DATA_HOME"),
               build = getEnv("QUORL_BUILD_DIR");
    ::unsetenv("HOME");
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("QUORL_BUILD_DIR");
    const fs::path folder = buildFolder();
    const fs::path passwordHome = userHomeFolder();
    putEnv("HOME", home);
    putEnv("XDG_DATA_HOME", data);
    putEnv("QUORL_BUILD_DIR", build);
    // The password database's home, or none at all; never /tmp/.local/share.
    EXPECT_NE(folder.string().rfind("/tmp", 0), 0u) << folder;
    if (!folder.empty()) {
        EXPECT_EQ(folder, passwordHome / ".local/share/tessaly-vi-quorl/BuildIMG");
    }
}

TEST(WorkingFolder, AFolderOthersMayWriteToIsNotUsed) {
    test::TempDir dir;
    const fs::path shared = dir / "BuildIMG";
    fs::create_directory(shared);
    ::chmod(shared.c_str(), 0777);
    EXPECT_FALSE(writeSlotStateFile(shared / "exist_file.jjb", SlotStates{}));
    EXPECT_FALSE(fs::exists(shared / "exist_file.jjb"));
    VoiceBuild build(shared, "/nonexistent/libVQ4.so");
    EXPECT_FALSE(build.build(0, (dir / "a.wav").string()));
    EXPECT_FALSE(fs::exists(shared / "BuildIMG.cfg"));

    // A new working folder is made private.
    ASSERT_TRUE(writeSlotStateFile(dir / "fresh" / "exist_file.jjb", SlotStates{}));
    struct stat st {};
    ASSERT_EQ(::stat((dir / "fresh").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

} // namespace
} // namespace quorl
