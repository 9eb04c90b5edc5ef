#include "voicelib/voice_compressor.h"

#include "base/decimal_text.h"

#include "voicelib/codec_types.h"
#include "voicelib/compression_stats.h"
#include "voicelib/file_age.h"
#include "voicelib/hooks.h"
#include "voicelib/no_follow_file.h"
#include "voicelib/project_state.h"
#include "voicelib/resampler.h"
#include "voicelib/sample_rates.h"
#include "voicelib/stream_encoder.h"
#include "voicelib/text_format.h"
#include "voicelib/vq4_texts.h"
#include "voicelib/wav_reader.h"

#include <cstring>
#include <filesystem>
#include <vector>

namespace quorl::vq4 {

namespace {

void putLe32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::int64_t fileSize(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : static_cast<std::int64_t>(size);
}

// Reads up to n little-endian 16-bit samples.
std::size_t readSamples(std::FILE* f, std::int16_t* out, std::size_t n,
                        std::vector<std::uint8_t>& raw) {
    raw.resize(n * 2);
    const std::size_t got = std::fread(raw.data(), 1, n * 2, f) / 2;
    for (std::size_t i = 0; i < got; ++i)
        out[i] = static_cast<std::int16_t>(raw[2 * i] | raw[2 * i + 1] << 8);
    return got;
}

void writeReport(const std::string& path, const std::string& source, const CodecInfo& codec,
                 const CompressionResult& r) {
    FilePtr f(fopenNoFollowForWriting(path, "w"));
    if (!f)
        return;
    std::fprintf(f.get(),
                 "Source: %s\nCompression: %s\nCodec Tag: %s\nSample Rate: %d\nSamples: %llu\n"
                 "Stream Bytes: %lld\nBit Rate: %s\nSNR: %s\nSegmental SNR: %s\n",
                 source.c_str(), codec.reportName.c_str(), r.codecTag.c_str(), r.sampleRate,
                 static_cast<unsigned long long>(r.samples), static_cast<long long>(r.size),
                 decimalText(r.bitRate, 4).c_str(), decimalText(r.snrDb, 2).c_str(),
                 decimalText(r.segmentalSnrDb, 2).c_str());
}

// Encodes the opened copy; the stream and the check WAV are complete on success.
bool encodeFile(OpenedWav& wav, const CodecInfo& codec, const std::string& name,
                const PromptFileNames& names, CompressionResult& r) {
    FilePtr check(fopenNoFollowForWriting(names.checkWav, "wb"));
    if (!check) {
        reportFileError(names.checkWav);
        return false;
    }
    FilePtr stream(fopenNoFollowForWriting(names.stream, "wb"));
    if (!stream) {
        reportFileError(names.stream);
        return false;
    }
    if (std::fwrite(wav.header.data(), 1, kWavHeaderSize, check.get()) != kWavHeaderSize)
        return false;

    auto encoder = makeStreamEncoder(codec, r.srType);
    const std::size_t chunk = encoder->chunkSamples();
    std::vector<std::int16_t> in(chunk), decoded(chunk);
    std::vector<std::uint8_t> raw, decodedRaw;
    CompressionStats stats(r.sampleRate);
    const std::uint64_t dataBytes = wav.dataBytes;
    std::uint64_t streamBytes = 0;
    std::uint64_t done = 0;
    bool any = false;
    while (done < dataBytes / 2) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(chunk, dataBytes / 2 - done));
        const std::size_t n = readSamples(wav.file.get(), in.data(), want, raw);
        if (n == 0)
            break; // the data chunk promised more than the file holds
        encoder->encode(in.data(), n, decoded.data());
        any = true;
        const auto bytes = encoder->takeBytes();
        if (std::fwrite(bytes.data(), 1, bytes.size(), stream.get()) != bytes.size())
            return false;
        streamBytes += bytes.size();
        decodedRaw.resize(n * 2);
        for (std::size_t i = 0; i < n; ++i) {
            const auto u = static_cast<std::uint16_t>(decoded[i]);
            decodedRaw[2 * i] = static_cast<std::uint8_t>(u & 0xFF);
            decodedRaw[2 * i + 1] = static_cast<std::uint8_t>(u >> 8);
        }
        if (std::fwrite(decodedRaw.data(), 1, decodedRaw.size(), check.get()) != decodedRaw.size())
            return false;
        stats.add(in.data(), decoded.data(), n);
        done += n;
        const auto percent = static_cast<int>(done * 200 / (dataBytes ? dataBytes : 1));
        showStatus(formatText(texts::kCompressingProgress, name.c_str(), percent));
        if (n < want)
            break;
    }
    if (!any) {
        // Even a prompt without samples gets its configuration byte.
        encoder->encode(nullptr, 0, nullptr);
        const auto bytes = encoder->takeBytes();
        std::fwrite(bytes.data(), 1, bytes.size(), stream.get());
        streamBytes += bytes.size();
    }
    // The check WAV describes what it really holds, even if the copy's data
    // chunk claimed more.
    std::uint8_t sizes[4];
    putLe32(sizes, static_cast<std::uint32_t>(36 + done * 2));
    std::fseek(check.get(), 4, SEEK_SET);
    std::fwrite(sizes, 1, 4, check.get());
    putLe32(sizes, static_cast<std::uint32_t>(done * 2));
    std::fseek(check.get(), 40, SEEK_SET);
    std::fwrite(sizes, 1, 4, check.get());
    if (std::fclose(stream.release()) != 0 || std::fclose(check.release()) != 0)
        return false;

    r.size = static_cast<std::int64_t>(streamBytes);
    r.samples = done;
    r.bitRate = done ? static_cast<double>(streamBytes) * 8.0 / static_cast<double>(done) : 0.0;
    r.snrDb = stats.snrDb();
    r.segmentalSnrDb = stats.segmentalSnrDb();
    return true;
}

} // namespace

CompressionResult compressVoice(const std::string& sourcePath, int srType, int compressionType) {
    CompressionResult r;
    const ProjectState& project = projectState();
    const auto codec = codecInfo(compressionType == -1 ? kDefaultCompressionType : compressionType);
    if (!codec) {
        reportError(texts::kErrorTitle, texts::kUnknownCompressionType);
        return r;
    }
    if (srType == -1)
        srType = kDefaultSrType;
    else if (srType == kNearestSrType)
        srType = nearestSrType(wavFileSampleRate(sourcePath), project.masterRate);
    r.srType = srType;
    r.sampleRate = srTypeRate(srType, project.masterRate);
    // A type without a rate would resample everything away.
    if (r.sampleRate <= 0)
        return r;
    r.codecTag = codec->tag;
    const std::string name = promptName(sourcePath);
    const PromptFileNames names =
        promptFileNames(project.folders(), name, r.sampleRate, codec->tag);

    showStatus(texts::kCompressActive);
    showStatus(formatText(texts::kCompressingProgress, name.c_str(), 0));

    // The copy is refreshed whenever the source is newer, so an edited
    // recording is never compressed from a stale copy.
    resampleWav(sourcePath, names.resampled, r.sampleRate);
    OpenedWav wav;
    if (!openWavForCompression(names.resampled, wav)) {
        showStatus(texts::kCompressIdle);
        return r;
    }
    // Not older rather than strictly newer: the check WAV is usually written in
    // the same clock tick as the copy it was made from.
    if (compareFileAge(names.checkWav, names.resampled) >= 0 && fileSize(names.stream) > 0) {
        r.ok = true;
        r.upToDate = true;
        r.streamPath = names.stream;
        r.size = fileSize(names.stream);
        showStatus(texts::kCompressIdle);
        return r;
    }
    const bool ok = encodeFile(wav, *codec, name, names, r);
    showStatus(texts::kCompressIdle);
    if (!ok) {
        // A half-written stream must not pass as up to date next time.
        std::error_code ec;
        std::filesystem::remove(names.stream, ec);
        std::filesystem::remove(names.checkWav, ec);
        r.size = 0;
        return r;
    }
    r.ok = true;
    r.streamPath = names.stream;
    writeReport(names.report, sourcePath, *codec, r);
    return r;
}

} // namespace quorl::vq4
