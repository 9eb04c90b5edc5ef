#include "voicelib/download_requests.h"

#include "voicelib/codec_types.h"
#include "voicelib/hooks.h"
#include "voicelib/image_builder.h"
#include "voicelib/message_chain.h"
#include "voicelib/project_state.h"
#include "voicelib/resampler.h"
#include "voicelib/sample_rates.h"
#include "voicelib/text_format.h"
#include "voicelib/vq4_texts.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quorl::vq4 {

namespace {

int lastMacroNumber(const ProjectState& p) {
    int last = -1;
    for (const auto& m : p.macros)
        last = std::max(last, m.number);
    return last;
}

// Command data beyond this is no voice macro; it guards against wild lengths.
constexpr std::int32_t kMaxMacroBytes = 1 << 20;

} // namespace

void loadPromptRequests(int count, const PromptRequest* requests) {
    ProjectState& p = projectState();
    p.prompts.clear();
    if (requests == nullptr)
        return;
    const int firstNumber = lastMacroNumber(p) + 1;
    for (int i = 0; i < count; ++i) {
        const PromptRequest& r = requests[i];
        const std::string source = boundedText(r.sourcePath, sizeof r.sourcePath);
        if (source.empty())
            continue;
        PromptNode v;
        v.index = static_cast<int>(p.prompts.size());
        v.name = promptName(source);
        v.sourcePath = source;
        v.srType = r.srType == -1 ? kDefaultSrType : r.srType;
        if (v.srType == kNearestSrType)
            v.srType = nearestSrType(wavFileSampleRate(source), p.masterRate);
        v.sampleRate = srTypeRate(v.srType, p.masterRate);
        v.compressionType = r.compressionType == -1 ? kDefaultCompressionType : r.compressionType;
        // The stream's name follows from the type, as compression named it.
        if (const auto codec = codecInfo(v.compressionType))
            v.codecTag = codec->tag;
        v.size = r.compressedSize;
        v.number = firstNumber + v.index;
        p.prompts.push_back(v);
    }
}

void loadVoiceMacroBlocks(int count, const VoiceMacroBlock* blocks) {
    ProjectState& p = projectState();
    if (blocks == nullptr)
        return;
    for (int i = 0; i < count; ++i) {
        const VoiceMacroBlock& b = blocks[i];
        const int number = static_cast<std::int16_t>(b.number & 0xFFFF);
        if (number < 0 || b.length < 0 || b.length > kMaxMacroBytes ||
            (b.length > 0 && b.data == nullptr))
            continue;
        auto it = std::find_if(p.macros.begin(), p.macros.end(),
                               [number](const VoiceMacro& m) { return m.number == number; });
        if (it == p.macros.end()) {
            // Numbers in between get empty macros so prompt numbers stay in step.
            for (int n = lastMacroNumber(p) + 1; n <= number; ++n) {
                VoiceMacro m;
                m.number = n;
                m.name = formatText("VM%d", n);
                p.macros.push_back(m);
            }
            it = p.macros.end() - 1;
        }
        const std::string name = boundedText(b.name + 256, 256);
        if (!name.empty())
            it->name = name;
        it->data.insert(it->data.end(), b.data, b.data + b.length);
    }
}

bool loadExtraEntries(int count, const PromptRequest* extras) {
    ProjectState& p = projectState();
    if (extras == nullptr)
        return true;
    for (int i = 0; i < count; ++i) {
        const PromptRequest& e = extras[i];
        if (e.kind != 0 && e.kind != 4 && e.kind != 32 && e.kind != 64)
            continue;
        ReservedRegion r;
        r.sectors =
            e.compressedSize > 0 ? static_cast<std::uint32_t>(e.compressedSize) / kSectorSize : 0;
        r.value = e.value;
        const std::string source = boundedText(e.sourcePath, sizeof e.sourcePath);
        r.name = formatText("RM_%d", static_cast<int>(p.reserved.size()) + 1);
        if (e.kind == 32) {
            // A message: its stream comes from the project's WavSrc folder and is
            // chained through as many sectors as it needs.
            r.kind = ReservedRegion::Kind::Message;
            r.name = promptName(source);
            const std::string path = joinPath(joinPath(p.projectDir, "WavSrc"),
                                              std::filesystem::path(source).filename().string());
            std::ifstream in(path, std::ios::binary);
            if (!in) {
                reportFileError(path);
                r.needsCompression = true;
            }
            r.content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            r.sectors = std::max(r.sectors, messageSectorCount(r.content.size()));
        } else if (e.kind == 64) {
            // An empty slot the pager can record a message into.
            r.kind = ReservedRegion::Kind::EmptyMessage;
            if (!source.empty())
                r.name = promptName(source);
            r.sectors = std::max<std::uint32_t>(r.sectors, 1);
        } else if (e.kind == 4) {
            r.name = promptName(source);
            std::ifstream in(source, std::ios::binary);
            r.content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            if (!r.content.empty() && (r.content[0] & 0x20)) {
                reportError(texts::kReservedDataTitle, texts::kReservedDataText);
                return false;
            }
        }
        p.reserved.push_back(std::move(r));
    }
    return true;
}

} // namespace quorl::vq4
