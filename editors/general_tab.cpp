#include "editors/general_tab.h"

#include "codeplug/frequency_encoding.h"
#include "codeplug/general_block.h"
#include "editors/user_data_texts.h"

namespace quorl {

GeneralTabTexts openGeneralTab(CodeplugState& state) {
    const GeneralBlock general(state.image);
    GeneralTabTexts t;
    const auto band = general.bandCode();
    // Code 0 is a valid VHF split but shows nothing, as the pager's own tools did.
    t.bandSplit = band >= 1 && band <= 4 ? std::string(texts::kBandSplits[band]) : std::string();
    t.modelNumber = general.modelNumber();
    t.serialNumber = general.serialNumber();
    t.tanapa = general.tanapa();
    t.intermediateFrequency =
        formatIntermediateFrequency(static_cast<std::uint32_t>(kIntermediateFrequencyHz));
    t.tcxo = std::string(general.tcxo134() ? texts::kTcxo134 : texts::kTcxo128);
    t.firmwareVersion = state.firmwareVersionText();
    state.shownFirmwareVersion = t.firmwareVersion;
    t.codeplugVersion = general.codeplugVersionText();

    EditableGeneralBlock(state.image).setFixedBytes();
    BandRange range{};
    if (bandRangeForCode(band, range))
        state.band = {range.lowMHz, range.highMHz};
    return t;
}

} // namespace quorl
