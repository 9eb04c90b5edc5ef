#include "app/qt_profile_store.h"
#include "app/voice_pager_doc.h"
#include "codeplug/channel_block.h"
#include "modal_answerer.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

struct RefusedFile {
    const char* what;
    std::vector<char> bytes;
    const char* reason;
};

std::vector<char> withHeaderByte(std::vector<char> record, char b) {
    record[0] = b;
    return record;
}

std::vector<char> failingImageCheck() {
    auto bad = test::validImage();
    ChannelBlock(bad, 0).setFrequencyWord(0, 0, 0);
    return test::ppgRecord(bad);
}

// The window's File Error #2 names the file and why, in the words the command-line
// tool prints under the same message.
TEST(OpenErrorTest, FileError2NamesTheFileAndTheReason) {
    const auto record = test::ppgRecord(test::validImage());
    const RefusedFile cases[] = {
        {"short", std::vector<char>(10, 'x'),
         "not a codeplug file (10 bytes, a codeplug file has 16432)"},
        {"header", withHeaderByte(record, '3'), "not a codeplug file (the header does not match)"},
        {"check", failingImageCheck(), "the codeplug does not pass the image check"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        const auto path = dir / "pager.ppg";
        test::writeAll(path, c.bytes);
        QtProfileStore profile;
        CVoicePagerDoc doc{profile};
        test::ModalAnswerer modals;
        modals.pressOnNextBox(QMessageBox::Ok);
        doc.openAtStartup(QString::fromStdString(path.string()));
        ASSERT_EQ(modals.texts.size(), 1) << c.what;
        EXPECT_EQ(modals.texts[0], "File Error #2 \n\nCannot open the file; invalid file format. "
                                   "\n\n" +
                                       QString::fromStdString(path.string()) + ": " +
                                       QString::fromUtf8(c.reason))
            << c.what;
    }
}

} // namespace
} // namespace quorl
