// The C entry points of libVQ4.so. Each one is a thin, exception-safe shell over
// the library's C++ side: nothing may escape into a caller that knows only C.
#include "voicelib/vq4.h"

#include "voicelib/download_requests.h"
#include "voicelib/image_builder.h"
#include "voicelib/project_state.h"
#include "voicelib/sample_rates.h"
#include "voicelib/stream_decoder.h"
#include "voicelib/text_format.h"
#include "voicelib/voice_compressor.h"
#include "voicelib/vq4_texts.h"

#include <algorithm>
#include <cstdio>
#include <new>

using namespace quorl::vq4;

namespace {

// Builds the image from the prompt list; the C result stays as documented.
void buildImageIgnoringResult() {
    buildDownloadImage();
}

bool reportNoStreams(int32_t count) {
    if (count > 0)
        return false;
    std::puts(texts::kNoBinExists);
    return true;
}

} // namespace

extern "C" {

int32_t VQ4Init(const ProjectConfig* config) {
    if (config == nullptr)
        return 0;
    try {
        openProject(*config);
    } catch (...) {
    }
    return 0;
}

int32_t VQ4CompressVoice(const char* sourcePath, char* streamPathOut, char* tagOut,
                         int32_t* sizeInOut, int32_t srType, int32_t compressionType) {
    const std::string source = boundedText(sourcePath, VQ4_TEXT_SIZE);
    if (source.empty())
        return 0;
    try {
        const CompressionResult r = compressVoice(source, srType, compressionType);
        if (r.ok) {
            copyBounded(streamPathOut, VQ4_TEXT_SIZE, r.streamPath);
            copyBounded(tagOut, VQ4_TEXT_SIZE, r.codecTag);
        }
        if (sizeInOut != nullptr)
            *sizeInOut = r.ok && r.size <= INT32_MAX ? static_cast<int32_t>(r.size) : 0;
    } catch (...) {
        if (sizeInOut != nullptr)
            *sizeInOut = 0;
    }
    return 0;
}

int32_t VQ4CreateDownloadFile(int32_t count, PromptRequest* requests) {
    if (reportNoStreams(count))
        return 1;
    try {
        loadPromptRequests(count, requests);
        buildImageIgnoringResult();
    } catch (...) {
    }
    return 0;
}

int32_t VQ4CreateDownloadFile2(int32_t count, PromptRequest* requests, int32_t extraCount,
                               PromptRequest* extras, int32_t macroCount, VoiceMacroBlock* macros) {
    if (reportNoStreams(count))
        return 1;
    try {
        ProjectState& p = projectState();
        // Each build takes the built-in macros plus this call's blocks, so
        // calling again does not append the same commands twice.
        p.macros = builtInMacros();
        p.reserved.clear();
        loadVoiceMacroBlocks(macroCount, macros);
        if (loadExtraEntries(extraCount, extras)) {
            loadPromptRequests(count, requests);
            buildImageIgnoringResult();
        }
    } catch (...) {
    }
    return 1;
}

int32_t VQ4DecodeStream(const uint8_t* data, int32_t size, int16_t* samplesOut, int32_t capacity,
                        int32_t* countOut, int32_t* sampleRateOut) {
    if (countOut != nullptr)
        *countOut = 0;
    if (data == nullptr || size <= 0)
        return 0;
    try {
        const auto samples = decodeStream(data, static_cast<std::size_t>(size));
        if (!samples)
            return 0;
        const std::size_t room =
            samplesOut == nullptr || capacity <= 0
                ? 0
                : std::min(samples->size(), static_cast<std::size_t>(capacity));
        std::copy_n(samples->begin(), room, samplesOut);
        if (countOut != nullptr)
            *countOut = static_cast<int32_t>(samples->size());
        if (sampleRateOut != nullptr)
            *sampleRateOut = srTypeRate(data[0] >> 5, projectState().masterRate);
        return 1;
    } catch (...) {
        return 0;
    }
}

int32_t VQ4FreeAll(void) {
    freeProjectLists();
    return 0;
}

CVQ4* CreateVQ4(void) {
    return new (std::nothrow) CVQ4();
}

void DestroyVQ4(CVQ4* object) {
    delete object;
}

int64_t GetCpuSpeedVQ4(CVQ4* object) {
    return object ? object->GetCpuSpeed() : 0;
}

} // extern "C"
