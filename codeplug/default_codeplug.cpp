#include "codeplug/default_codeplug.h"

#include "codeplug/channel_block.h"
#include "codeplug/checksums.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/frequency_encoding.h"
#include "codeplug/function_switch_block.h"
#include "codeplug/general_block.h"
#include "codeplug/model_options_block.h"
#include "codeplug/tone_encoding.h"

#include <stdexcept>

namespace quorl {

namespace {

void writeGeneral(CodeplugImage& img, const FactoryCodeplug& factory) {
    EditableGeneralBlock general(img);
    general.setFixedBytes();
    general.setBandCode(factory.bandCode);
    general.setRegionCode(2); // NAG
    general.setChannelCount(static_cast<std::uint8_t>(factory.channels.size()));
    general.setTcxo134(false); // 12.8 MHz
    general.setSerialNumber(factory.serialNumber);
    general.setModelNumber(factory.modelNumber);
    general.setTanapa(factory.tanapa);
    general.setCodeplugVersion(factory.codeplugVersion);
    general.storeFactoryChecksum();
}

void writeModelOptions(CodeplugImage& img) {
    ModelOptionsBlock options(img);
    options.setLengthBytes();
    options.setField(ModelOptionField::StoredVoiceDuration, 1); // 30 s
    options.setField(ModelOptionField::SwitchAnnouncements, 2); // On
    options.setPriorityScanTime(125);                           // 1.000 s
    options.setAlertDuration(25);                               // fixed alert 12.00 s
}

void writeChannel(CodeplugImage& img, int index, std::uint8_t bandCode, const DefaultChannel& ch) {
    ChannelBlock block(img, index);
    block.setLengthByte(layout::kChannelLength);
    const auto synth = encodeReceiveFrequency(ch.receiveHz, bandCode);
    if (!synth)
        throw std::invalid_argument("frequency not on the synthesizer grid");
    block.setFrequencyWord(synth->word, synth->fraction, synth->stepCode);
    block.setWideBandwidth(ch.wideBandwidth);
    block.setCodingOption(ch.codingOption);
    block.setSquelchLevel(2);
    block.setToneSystemAndReset(0, 0); // Corvane tones, automatic reset
    block.setResetTimer(20);           // 10 s
    block.setCallTone(1, 1, encodeTone(ch.toneA));
    block.setCallTone(1, 2, encodeTone(ch.toneB));
    block.setCallFlags(1, 0x10); // Standard alert, on duty, standard vibrate
    if (ch.codingOption == 0) {
        // R468: Call 2 shares tone A and has its own C; the groups repeat B and C.
        const StoredTone c = encodeTone(7468);
        block.setCallTone(2, 1, encodeTone(ch.toneA));
        block.setCallTone(2, 2, c);
        block.setCallFlags(2, 0x10);
        block.setGroupTone(1, encodeTone(ch.toneB));
        block.setGroupTone(2, c);
        block.setGroupFlags(1, 0x10);
        block.setGroupFlags(2, 0x10);
    }
}

// A useful switch set-up: selective call per channel, a monitor, a scan, and the
// rest disabled. Announcements "Standard" (code 2), alert "Tone".
void writeSwitches(CodeplugImage& img, bool singleChannel) {
    struct Entry {
        std::uint8_t mode, scan1, scan2, options;
    };
    const Entry five[8] = {{0, 1, 2, 0x20}, {1, 1, 2, 0x20}, {2, 1, 2, 0x20},  {3, 1, 2, 0x20},
                           {4, 1, 2, 0x20}, {5, 1, 2, 0x20}, {11, 1, 2, 0x20}, {13, 1, 2, 0x20}};
    const Entry single[8] = {{0, 1, 2, 0x20},  {5, 1, 2, 0x20},  {13, 1, 2, 0x20},
                             {13, 1, 2, 0x20}, {13, 1, 2, 0x20}, {13, 1, 2, 0x20},
                             {13, 1, 2, 0x20}, {13, 1, 2, 0x20}};
    const Entry* entries = singleChannel ? single : five;
    const FunctionSwitchBlock switches(img);
    for (int k = 0; k < kSwitchCount; ++k) {
        SwitchEntry e = switches.entry(k);
        e.setModeByte(entries[k].mode);
        e.setScan1(entries[k].scan1);
        e.setScan2(entries[k].scan2);
        e.setOptionByte(entries[k].options);
    }
}

} // namespace

CodeplugImage makeDefaultCodeplug(const FactoryCodeplug& factory) {
    CodeplugImage img;
    writeGeneral(img, factory);
    writeModelOptions(img);
    FunctionSwitchBlock(img).setLengthBytes();
    writeSwitches(img, factory.channels.size() == 1);
    for (int i = 0; i < layout::kChannelCount; ++i)
        ChannelBlock(img, i).setLengthByte(layout::kChannelLength);
    for (std::size_t i = 0; i < factory.channels.size() && i < 5; ++i)
        writeChannel(img, static_cast<int>(i), factory.bandCode, factory.channels[i]);
    return preparedForFile(img);
}

FactoryCodeplug vhfFiveChannelFactory() {
    FactoryCodeplug s;
    s.bandCode = 1;
    s.serialNumber = "7TV0000001";
    s.modelNumber = "TV6VHF5CH001";
    s.tanapa = "TVA6001A";
    s.channels = {
        {154'430'000, true, 3, 3490, 8325},  // Corvane 111 - 127
        {154'190'000, true, 3, 3890, 9281},  // 113 - 129
        {155'010'000, true, 0, 4108, 6345},  // R468: 114 - 122, Call 2 114 - 125
        {153'830'000, false, 3, 5105, 7073}, // 118 - 124
        {159'975'000, false, 3, 3305, 6699}, // 110 - 123
    };
    return s;
}

FactoryCodeplug uhfSingleChannelFactory() {
    FactoryCodeplug s;
    s.bandCode = 3;
    s.serialNumber = "7TU0000001";
    s.modelNumber = "TV6UHF1CH001";
    s.tanapa = "TVA6301A";
    s.channels = {{460'025'000, true, 3, 3490, 8325}};
    return s;
}

} // namespace quorl
