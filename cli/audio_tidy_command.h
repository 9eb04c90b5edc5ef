#pragma once

#include "audio/recording_tidy.h"

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace quorl::cli {

struct AudioTidyOptions {
    std::string file;
    std::string output;
    TidySettings settings;
};

// `quorl audio tidy IN.wav -o OUT.wav [--trim] [--normalize DBFS] [--highpass HZ]
// [--compress]`: the recording tidied for a custom audio slot, as an 8 kHz 16-bit mono
// WAV. Without any of the four options every step runs with its usual setting.
int runAudioTidy(const AudioTidyOptions& options, std::ostream& out, std::ostream& err);

void addTidyCommand(CLI::App& audio, int& exitCode);

} // namespace quorl::cli
