// Widget tests need one QApplication for the whole run, and must never touch the
// settings of the person running them.
#include "app/voice_pager_app.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::string config =
        (std::filesystem::temp_directory_path() / "quorl-app-tests-XXXXXX").string();
    if (!::mkdtemp(config.data()))
        return 1;
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("QUORL_DATA_DIR", QUORL_TEST_STAGE_DATA_DIR, 1);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QApplication::setApplicationName(QStringLiteral("Tessaly VI Quorl"));
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
    return result;
}
