#pragma once

namespace quorl {

// How a sound input delivers its samples: interleaved frames of `channels` samples.
// Shared by the sound module that records and the plain code that keeps the take.
enum class CaptureEncoding { UInt8, Int16, Int32, Float };
struct CaptureFormat {
    int rate = 0;
    int channels = 0;
    CaptureEncoding encoding = CaptureEncoding::Int16;
};

} // namespace quorl
