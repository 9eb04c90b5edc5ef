// Tests of the application object itself: it is the QApplication, so this program
// makes it instead of a plain one, with settings in a temporary folder.
#include "app/voice_pager_app.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace quorl::test {
CVoicePagerApp* theApp = nullptr;
} // namespace quorl::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::string config =
        (std::filesystem::temp_directory_path() / "quorl-app-object-tests-XXXXXX").string();
    if (!::mkdtemp(config.data()))
        return 1;
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("QUORL_BUILD_DIR", (config + "/BuildIMG").c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("QUORL_DATA_DIR", QUORL_TEST_STAGE_DATA_DIR, 1);
    int result = 1;
    {
        quorl::CVoicePagerApp app(argc, argv);
        quorl::test::theApp = &app;
        result = RUN_ALL_TESTS();
        quorl::test::theApp = nullptr;
    }
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
    return result;
}
