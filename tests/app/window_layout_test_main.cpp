// The layout test runs on an offscreen screen of a chosen size and scale, set before
// the application starts: QUORL_LAYOUT_SCREEN ("1600x900", logical pixels) and
// QUORL_LAYOUT_SCALE ("2" for 200 %), and the theme, QUORL_LAYOUT_THEME ("dark").
#include "app/desktop_look.h"
#include "app/program_theme.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::string scratch =
        (std::filesystem::temp_directory_path() / "quorl-layout-tests-XXXXXX").string();
    if (!::mkdtemp(scratch.data()))
        return 1;
    int width = 1600;
    int height = 900;
    if (const char* screen = std::getenv("QUORL_LAYOUT_SCREEN"))
        std::sscanf(screen, "%dx%d", &width, &height);
    const char* scaleText = std::getenv("QUORL_LAYOUT_SCALE");
    const int scale = scaleText ? std::max(1, std::atoi(scaleText)) : 1;
    const std::string config = scratch + "/screen.json";
    if (FILE* f = std::fopen(config.c_str(), "w")) {
        std::fprintf(f,
                     "{\"screens\":[{\"name\":\"test\",\"x\":0,\"y\":0,\"width\":%d,"
                     "\"height\":%d,\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":1}]}\n",
                     width * scale, height * scale);
        std::fclose(f);
    }
    ::setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
    ::setenv("QT_SCALE_FACTOR", std::to_string(scale).c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", scratch.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", scratch.c_str(), 1);
    ::setenv("QUORL_BUILD_DIR", scratch.c_str(), 1);
    ::setenv("QUORL_DATA_DIR", QUORL_TEST_STAGE_DATA_DIR, 1);
    QApplication app(argc, argv);
    quorl::applyDesktopLook(app);
    // QUORL_LAYOUT_THEME=dark: the windows as View > Theme > Dark shows them.
    // Otherwise as the program starts with no theme chosen.
    const char* theme = std::getenv("QUORL_LAYOUT_THEME");
    quorl::applyTheme(app, theme && std::string(theme) == "dark" ? quorl::ProgramTheme::Dark
                                                                 : quorl::ProgramTheme::System);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    return result;
}
