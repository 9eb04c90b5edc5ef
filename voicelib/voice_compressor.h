#pragma once

#include <cstdint>
#include <string>

namespace quorl::vq4 {

// The outcome of compressing one prompt.
struct CompressionResult {
    bool ok = false;       // a stream exists (written now or up to date)
    bool upToDate = false; // nothing needed compressing
    std::string streamPath;
    std::string codecTag;
    std::int64_t size = 0; // bytes of the stream, 0 on failure
    int srType = 0;
    int sampleRate = 0;
    std::uint64_t samples = 0;
    double bitRate = 0; // stream bits per sample
    double snrDb = 0;
    double segmentalSnrDb = 0;
};

// VQ4CompressVoice without the C boundary: brings the source to the prompt's
// rate, encodes it into `<binDir>/<name>_<rate>_<tag>.bin`, decodes it into the
// check WAV and measures the error. Uses the open project's folders and rates.
CompressionResult compressVoice(const std::string& sourcePath, int srType, int compressionType);

} // namespace quorl::vq4
