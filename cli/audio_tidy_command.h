#pragma once

#include "audio/recording_tidy.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

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

// Writes tidied samples (8 kHz mono) as the WAV `path` and says how long it is; on a
// failure "Cannot write the `what`" with the cause. The exit code either way.
int writeTidiedWav(const std::string& path, const std::vector<std::int16_t>& samples,
                   const std::string& what, std::ostream& out, std::ostream& err);

} // namespace quorl::cli
