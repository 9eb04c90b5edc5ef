// A codeplug text of any content, imported onto both factory codeplugs through the
// editors, and compared as text: it may be refused, never crash or hang.
#include "codeplug/default_codeplug.h"
#include "textplug/text_diff.h"
#include "textplug/text_import.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorl;
    static const CodeplugImage vhf = makeDefaultCodeplug(vhfFiveChannelFactory());
    static const CodeplugImage uhf = makeDefaultCodeplug(uhfSingleChannelFactory());
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const CodeplugImage* base : {&vhf, &uhf}) {
        textplug::importCodeplugText(text, *base);
        textplug::importCodeplugText(text, *base, {.partial = true});
    }
    const auto parsed = textplug::readCodeplugText(text);
    textplug::diffFields(textplug::textFields(parsed), textplug::textFields(parsed));
    return 0;
}
