// An import writes what its text shows: a value the editors repaired when they
// opened the channel is written as the text (and export) shows it, and an entry the
// text brings into use gets the text's tones, not what the base hid there.
#include "codeplug/channel_block.h"
#include "codeplug/default_codeplug.h"
#include "text_edit.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_export.h"
#include "textplug/text_import.h"

#include <gtest/gtest.h>

namespace quorl::textplug {
namespace {

TEST(ImportWritesWhatItShows, RepairedBytesAndRowsBroughtIntoUse) {
    struct Case {
        const char* name;
        CodeplugImage base;
        CodeplugImage textFrom; // the codeplug the text is exported from
        Address address;
        std::uint8_t mask;
        std::uint8_t written; // worked out from what the text says, by hand
    };
    const CodeplugImage factory = makeDefaultCodeplug(vhfFiveChannelFactory());
    // F1 holds bytes no control can show: squelch 7, tone system 6, coding option 12.
    CodeplugImage corrupt = factory;
    corrupt.set(0x0307, 7);
    corrupt.set(0x0309, static_cast<std::uint8_t>((corrupt.at(0x0309) & 0xF8) | 6));
    corrupt.set(0x0306, 12);
    // F4 under STD hides a 3400.0 Hz tone 2 in Call 10; the text makes F4 R168 (None)
    // with every new tone empty.
    CodeplugImage hidden = factory;
    ChannelBlock(hidden, 3).setCodingOption(3);
    ChannelBlock(hidden, 3).setCallTone(10, 2, {34000, 112, 9});
    CodeplugImage none = factory;
    ChannelBlock(none, 3).setCodingOption(10);
    for (int call = 2; call <= kCallCount; ++call)
        for (int tone : {1, 2})
            ChannelBlock(none, 3).setCallTone(call, tone, {});
    for (int group = 1; group <= kGroupCount; ++group)
        ChannelBlock(none, 3).setGroupTone(group, {});

    // No switch makes duty available on the factory codeplug: every duty shows "On".
    CodeplugImage offDuty = factory;
    offDuty.set(0x0318, static_cast<std::uint8_t>(offDuty.at(0x0318) & ~0x10));

    const Case cases[] = {
        {"squelch 7 shown as position 3", corrupt, corrupt, 0x0307, 0xFF, 2},
        {"tone system 6 shown as User", corrupt, corrupt, 0x0309, 0x07, 3},
        {"coding option 12 shown as R168 (None)", corrupt, corrupt, 0x0306, 0xFF, 10},
        {"Call 10 Tone 2 brought into use empty", hidden, none, 0x04E0 + 0x10 + 90 + 2, 0xFF, 0},
        {"... and its high byte", hidden, none, 0x04E0 + 0x10 + 90 + 3, 0xFF, 0},
        {"F1 Call 1 duty shown On", offDuty, offDuty, 0x0318, 0x10, 0x10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text = exportText(codeplugFields(c.textFrom), "t.ppg");
        test::setValue(text, {"channels", "F1", "Receiver Frequency"}, "155.000000");
        const ImportResult r = importCodeplugText(text, c.base);
        ASSERT_TRUE(r.image) << (r.errors.empty() ? "" : r.errors.front().message);
        EXPECT_EQ(r.image->at(c.address) & c.mask, c.written);
    }
}

} // namespace
} // namespace quorl::textplug
