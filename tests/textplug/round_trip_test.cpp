// Export then import gives back the codeplug: byte for byte onto the same base,
// value for value onto another base of the same pager.
#include "codeplug/channel_block.h"
#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/coding_options.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/ppg_file.h"
#include "editors/tone_partners.h"
#include "random_codeplug.h"
#include "tests/support/test_files.h"
#include "textplug/codeplug_fields.h"
#include "textplug/editor_session.h"
#include "textplug/text_diff.h"
#include "textplug/text_export.h"
#include "textplug/text_import.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace quorl::textplug {
namespace {

const std::filesystem::path kLib = std::filesystem::path(QUORL_TEST_STAGE_DATA_DIR) / "Lib";

std::string exported(const CodeplugImage& image) {
    return exportText(codeplugFields(image), "test.ppg");
}

std::string problems(const ImportResult& r) {
    std::string out;
    for (const auto& p : r.errors)
        out += formatProblem("test.yaml", p) + "\n";
    for (const auto& p : r.notes)
        out += "note: " + formatProblem("test.yaml", p) + "\n";
    return out;
}

bool passesImageCheck(const CodeplugImage& image) {
    auto state = std::make_unique<CodeplugState>();
    state->loadBoth(image);
    return state->checkImage();
}

std::vector<CodeplugImage> factoryAndTestCodeplugs() {
    std::vector<CodeplugImage> out;
    for (const char* name : {"Default_VHF_5CH.ppg", "Default_UHF_1CH.ppg"}) {
        const PpgReadResult r = readPpgFile(kLib / name);
        EXPECT_EQ(r.status, PpgReadStatus::Ok) << name;
        out.push_back(r.image);
    }
    out.push_back(test::validImage());
    // A factory codeplug with every coding option once, tones and the lot, as the
    // window leaves it (the copies each option makes are in place).
    FactoryCodeplug busy = vhfFiveChannelFactory();
    for (std::size_t i = 0; i < busy.channels.size(); ++i)
        busy.channels[i].codingOption = static_cast<std::uint8_t>(i * 2 + 0);
    out.push_back(preparedForFile(shownImage(makeDefaultCodeplug(busy))));
    // Identity fields hold whatever the pager holds: control characters, bytes that
    // are no UTF-8, YAML's own marks. The text must still read back.
    CodeplugImage odd = makeDefaultCodeplug(vhfFiveChannelFactory());
    const std::uint8_t serial[] = {0x01, 0x80, 0xC3, '"', ':', ' ', '#', '\n', 0x7F, '\''};
    for (std::size_t i = 0; i < sizeof serial; ++i)
        odd.set(static_cast<Address>(0x0110 + i), serial[i]);
    odd.set(0x011A, '-');
    odd.set(0x011B, ' ');
    refreshMirror(odd);
    out.push_back(odd);
    return out;
}

TEST(TextRoundTrip, FactoryAndTestCodeplugsComeBackByteIdentical) {
    for (const CodeplugImage& image : factoryAndTestCodeplugs()) {
        const std::string text = exported(image);
        const ImportResult r = importCodeplugText(text, image);
        ASSERT_TRUE(r.image) << problems(r) << text;
        EXPECT_TRUE(r.notes.empty()) << problems(r);
        EXPECT_TRUE(*r.image == image);
        // Key order is fixed: the same image exports to the same text.
        EXPECT_EQ(exported(image), text);
    }
}

// The editors refuse to type two tones of one call address within 1.55 % of each
// other, but a tone system change re-snaps both tones without that check and can
// leave them equal. Such a codeplug cannot be typed again; it is not a valid one.
bool callTonesKeepTheirSpacing(const CodeplugImage& image) {
    const int channels = image.at(0x010D) == 1 ? 1 : 5;
    for (int ch = 0; ch < channels; ++ch) {
        const ConstChannelBlock block(image, ch);
        const CodingOption& option = codingOption(block.codingOption());
        for (int call = 1; call <= option.calls; ++call) {
            const double a = block.callTone(call, 1).tenthsHz / 10.0;
            const double b = block.callTone(call, 2).tenthsHz / 10.0;
            if (a != 0 && b != 0 && tooClose(a, b))
                return false;
        }
    }
    return true;
}

TEST(TextRoundTrip, RandomEditedCodeplugsComeBack) {
    const std::vector<CodeplugImage> starts = {makeDefaultCodeplug(vhfFiveChannelFactory()),
                                               makeDefaultCodeplug(uhfSingleChannelFactory())};
    std::mt19937 rng(20261208);
    int checked = 0;
    int n = 0;
    for (; checked < 500 && n < 2000; ++n) {
        const CodeplugImage& start = starts[static_cast<std::size_t>(n) % starts.size()];
        const CodeplugImage image = test::randomCodeplug(rng, start);
        ASSERT_TRUE(passesImageCheck(image)) << "edit sequence " << n;
        const std::string text = exported(image);

        // Onto itself: every byte as it was, or as the window shows it where opening
        // repairs it (a copy left behind by a cleared source tone follows its source).
        const ImportResult same = importCodeplugText(text, image);
        ASSERT_TRUE(same.image) << "codeplug " << n << "\n" << problems(same) << text;
        EXPECT_TRUE(same.notes.empty()) << problems(same);
        const CodeplugImage shown = preparedForFile(shownImage(image));
        const auto checksum = [](Address a) {
            return a == 0x025F || a == 0x02BF || a == 0x3D5F ||
                   (a >= 0x0300 && a < 0x0620 && (a - 0x0300) % 160 == 159);
        };
        for (Address a = 0; a < kImageSize; ++a)
            ASSERT_TRUE(checksum(a) || same.image->at(a) == image.at(a) ||
                        same.image->at(a) == shown.at(a))
                << "codeplug " << n << " address " << a;

        // Onto the factory codeplug it was made from: every value the editors show
        // is entered again, through the editors, and comes out the same.
        if (!callTonesKeepTheirSpacing(image))
            continue;
        const ImportResult other = importCodeplugText(text, start);
        ASSERT_TRUE(other.image) << "codeplug " << n << "\n" << problems(other) << text;
        const auto differences = diffFields(codeplugFields(image), codeplugFields(*other.image));
        std::string listed;
        for (const auto& d : differences)
            listed += formatDifference(d) + "\n";
        ASSERT_TRUE(differences.empty()) << "codeplug " << n << "\n"
                                         << listed << problems(other) << text;
        ++checked;
    }
    EXPECT_EQ(checked, 500);
    ::testing::Test::RecordProperty("generated", n);
}

} // namespace
} // namespace quorl::textplug
