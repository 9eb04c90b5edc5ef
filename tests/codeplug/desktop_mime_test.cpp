// The desktop entry opens .ppg files by MIME type; the type must be defined for
// shared-mime-info, by name and by content, and installed with the entry.
#include "codeplug/ppg_file.h"
#include "tests/support/test_files.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>

namespace quorl {
namespace {

namespace fs = std::filesystem;

TEST(DesktopMime, TheEntrysTypeIsDefinedByGlobAndHeaderAndInstalled) {
    const fs::path resources = fs::path(QUORL_TEST_SOURCE_DIR) / "resources";
    const std::string desktop = test::fileText(resources / "tessaly-vi-quorl.desktop");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(desktop, m, std::regex("\nMimeType=([^;\n]+);")));
    const std::string type = m[1];

    const std::string xml = test::fileText(resources / "tessaly-vi-quorl-mime.xml");
    ASSERT_FALSE(xml.empty());
    EXPECT_NE(xml.find("<mime-type type=\"" + type + "\">"), std::string::npos);
    EXPECT_NE(xml.find("<glob pattern=\"*.ppg\"/>"), std::string::npos);
    EXPECT_NE(xml.find("offset=\"0\" value=\"" + std::string(kPpgHeader) + "\""),
              std::string::npos);

    const std::string install =
        test::fileText(fs::path(QUORL_TEST_BINARY_DIR) / "resources" / "cmake_install.cmake");
    EXPECT_NE(install.find("mime/packages"), std::string::npos);
    EXPECT_NE(install.find("tessaly-vi-quorl-mime.xml"), std::string::npos);
}

} // namespace
} // namespace quorl
