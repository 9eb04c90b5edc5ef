// A .ppg file of any content: read, check, and decode into the summary texts.
#include "codeplug/image_check.h"
#include "codeplug/ppg_file.h"
#include "codeplug/summary_channel.h"
#include "codeplug/summary_texts.h"
#include "fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorl;
    const auto result = readPpgFile(quorl::fuzz::inputFile("file.ppg", data, size));
    if (result.status != PpgReadStatus::Ok)
        return 0;
    BandLimits limits;
    checkImage(result.image, limits);
    summaryIdentity(result.image, "");
    summaryModelOptions(result.image);
    summarySwitches(result.image);
    for (int ch = 0; ch < 5; ++ch)
        summaryChannel(result.image, ch);
    return 0;
}
