// Writes a seed corpus of valid inputs for every fuzz target, one folder per
// target under the folder given, made by the project's own writers so the seeds
// stay valid as the formats do: the fuzzers start from inputs that reach deep
// into their readers instead of being refused at the first byte.
#include "codeplug/default_codeplug.h"
#include "codeplug/ppg_file.h"
#include "link/command_frames.h"
#include "link/hex_frame.h"
#include "link/page_file.h"
#include "link/sim/command_frame_scan.h"
#include "voicelib/codec_types.h"
#include "voicelib/stream_encoder.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void write(const fs::path& file, const Bytes& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// A voice-like test signal: two gliding tones with a slow swell.
std::vector<std::int16_t> signal(std::size_t samples, int rate) {
    std::vector<std::int16_t> out(samples);
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double v = 9000.0 * std::sin(2 * std::numbers::pi * (300 + 200 * t) * t) +
                         4000.0 * std::sin(2 * std::numbers::pi * 1250 * t) *
                             std::sin(2 * std::numbers::pi * 3 * t);
        out[i] = static_cast<std::int16_t>(std::lround(v));
    }
    return out;
}

void putLe(Bytes& b, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A RIFF/WAVE file of 16-bit mono PCM.
Bytes wav(const std::vector<std::int16_t>& samples, int rate) {
    Bytes b;
    const auto data = static_cast<std::uint32_t>(samples.size() * 2);
    for (char c : std::string("RIFF"))
        b.push_back(static_cast<std::uint8_t>(c));
    putLe(b, 36 + data, 4);
    for (char c : std::string("WAVEfmt "))
        b.push_back(static_cast<std::uint8_t>(c));
    putLe(b, 16, 4);
    putLe(b, 1, 2);
    putLe(b, 1, 2);
    putLe(b, static_cast<std::uint32_t>(rate), 4);
    putLe(b, static_cast<std::uint32_t>(rate) * 2u, 4);
    putLe(b, 2, 2);
    putLe(b, 16, 2);
    for (char c : std::string("data"))
        b.push_back(static_cast<std::uint8_t>(c));
    putLe(b, data, 4);
    for (const std::int16_t s : samples)
        putLe(b, static_cast<std::uint16_t>(s), 2);
    return b;
}

Bytes stream(int type, std::size_t samples) {
    std::vector<std::int16_t> decoded;
    return quorl::vq4::encodeStream(*quorl::vq4::codecInfo(type), 3, signal(samples, 8000),
                                    decoded);
}

Bytes readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seed_corpus FOLDER\n");
        return 2;
    }
    const fs::path out = argv[1];
    using namespace quorl;

    // Codeplug files.
    fs::create_directories(out / "fuzz_ppg_file");
    writePpgFile(out / "fuzz_ppg_file" / "vhf.ppg", makeDefaultCodeplug(vhfFiveChannelFactory()));
    writePpgFile(out / "fuzz_ppg_file" / "uhf.ppg", makeDefaultCodeplug(uhfSingleChannelFactory()));

    // Recordings: the custom audio check and the library's readers.
    const Bytes shortWav = wav(signal(4000, 8000), 8000);
    const Bytes wideWav = wav(signal(3000, 16000), 16000);
    for (const char* target : {"fuzz_wav_check", "quorl_fuzz_vq4_wav_reader", "fuzz_tone_finder"}) {
        write(out / target / "8k.wav", shortWav);
        write(out / target / "16k.wav", wideWav);
    }
    // A short two-tone page for the tone finder: 0.4 s of 1000 Hz, then 1500 Hz.
    {
        std::vector<std::int16_t> page(8000);
        for (std::size_t i = 0; i < page.size(); ++i)
            page[i] = static_cast<std::int16_t>(
                std::lround(12000.0 * std::sin(2 * std::numbers::pi * (i < 3200 ? 1000.0 : 1500.0) *
                                               static_cast<double>(i) / 8000)));
        write(out / "fuzz_tone_finder" / "page.wav", wav(page, 8000));
        // The same page with a header that claims two billion samples a second: a
        // frame of that rate is longer than the whole recording.
        write(out / "fuzz_tone_finder" / "absurd-rate.wav", wav(page, 2'000'000'000));
    }
    // The compression target reads its codec from the last byte: 4-bit ADPCM,
    // enhanced ADPCM and VBR, each at SRType 3.
    for (const std::uint8_t pick : {std::uint8_t{171}, std::uint8_t{175}, std::uint8_t{165}}) {
        Bytes input = shortWav;
        input.push_back(pick);
        write(out / "quorl_fuzz_vq4_compress" / ("codec" + std::to_string(pick) + ".wav"), input);
    }

    // Streams, and the page file the download makes of one.
    for (const int type : {4, 12, 18, 25, 28})
        write(out / "quorl_fuzz_vq4_stream_decoder" / ("type" + std::to_string(type) + ".bin"),
              stream(type, type >= 10 && type != 18 && type != 25 ? 3000 : 12000));
    const fs::path bin = out / "page-work" / "seed.bin";
    write(bin, stream(4, 20000));
    if (convertStreamToPageFile(bin, 0x0101))
        write(out / "fuzz_page_file" / "seed.dwk", readAll(pageFilePath(bin)));
    fs::remove_all(out / "page-work");

    // The build configuration.
    const std::string ini = "[Info]\r\nProjectDir=/tmp/BuildIMG\r\nClockConfigurationByte=24\r\n"
                            "ClockInputFrequency=4096000\r\nSourceFileSampleRate=8000\r\n"
                            "IntMem=64\r\n[VPWaveList]\r\nVW_3  =/tmp/BuildIMG/WavSrc/a.wav\r\n";
    write(out / "fuzz_ini_reader" / "BuildIMG.cfg", Bytes(ini.begin(), ini.end()));

    // Frames: what the program sends, and what the pager answers (the first byte
    // picks the operation: 1 read, 3 custom audio download).
    std::array<std::uint8_t, kBlockSize> block{};
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(i * 7);
    write(out / "fuzz_command_frame_scan" / "read.bin", hexTextToBytes(readBlockFrame(0x0100)));
    write(out / "fuzz_command_frame_scan" / "write.bin",
          hexTextToBytes(writeBlockFrame(0x0200, block)));
    Bytes read{1};
    const Bytes reply = sim::blockReply(0x0100, block);
    read.insert(read.end(), reply.begin(), reply.end());
    write(out / "fuzz_reply_parser" / "block.bin", read);
    Bytes ack{3};
    const Bytes ackBytes = sim::ackReply();
    ack.insert(ack.end(), ackBytes.begin(), ackBytes.end());
    write(out / "fuzz_reply_parser" / "ack.bin", ack);

    // The image builder: two prompts (SRType 3, 4-bit ADPCM, small streams), one
    // macro block, no extra entries.
    write(out / "quorl_fuzz_vq4_image_builder" / "two-prompts.bin",
          Bytes{2, 5, 6, 20, 0, 5, 6, 30, 0, 1, 1, 4, 0x10, 0x20, 0x30, 0x40, 0});
    return 0;
}
