#pragma once

#include <iosfwd>
#include <string>

namespace quorl::cli {

struct AudioPreviewOptions {
    std::string file;
    int compressionType = 4; // as `audio compress`: the download's 4-bit ADPCM
    int srType = 3;          // 8000 Hz
    std::string output;      // the decoded WAV; empty with --play alone
    bool play = false;
};

// `quorl audio preview IN.wav -o HEARD.wav [--type T] [--srtype S] [--play]`: the
// recording compressed as a download compresses it, decoded by the voice library,
// written at the stream's rate as 16-bit mono and, with --play, played.
int runAudioPreview(const AudioPreviewOptions& options, std::ostream& out, std::ostream& err);

// `quorl audio check FILE --fit [--type T] [--srtype S]`: the WAV check, then how full
// the recording's slot would be. Fails when the check fails or the recording does not fit.
int runAudioFit(const std::string& file, int compressionType, int srType, std::ostream& out,
                std::ostream& err);

} // namespace quorl::cli
