#include "tests/support/test_files.h"
#include "widgets/help_viewer.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

// The help window picks the picture a browser would from the page's srcset and
// <picture>: sharp at 200 %, the dark one in the dark, the plain one otherwise.
TEST(HelpPicture, ChoosesTheFileForTheScreenAndThePalette) {
    test::TempDir dir;
    for (const char* name : {"a.png", "a@2x.png", "a-dark.png", "b.png"})
        test::writeAll(dir / name, {'x'});
    const QString folder = QString::fromStdString(dir.path().string()) + "/";
    const struct {
        const char* file;
        qreal ratio;
        bool dark;
        const char* chosen;
        qreal chosenRatio;
    } cases[] = {
        {"a.png", 1.0, false, "a.png", 1.0},     {"a.png", 2.0, false, "a@2x.png", 2.0},
        {"a.png", 1.5, false, "a@2x.png", 2.0},  {"a.png", 2.0, true, "a-dark.png", 1.0},
        {"a.png", 1.0, true, "a-dark.png", 1.0}, {"b.png", 2.0, true, "b.png", 1.0},
    };
    for (const auto& c : cases) {
        const HelpPicture p = helpPictureFor(folder + c.file, c.ratio, c.dark);
        EXPECT_EQ(p.file, folder + c.chosen) << c.file << " " << c.ratio << " " << c.dark;
        EXPECT_EQ(p.ratio, c.chosenRatio) << c.file << " " << c.ratio << " " << c.dark;
    }
}

} // namespace
} // namespace quorl
