#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace quorl::cli {

struct AudioCompressOptions {
    std::string file;
    int compressionType = 4; // 4-bit ADPCM, as the program compresses custom audio
    int srType = 3;          // 8 kHz at the program's 32 kHz master rate
    std::string outDir;
};

// `quorl audio compress FILE.wav [--type N] [--srtype N] [-o DIR]`: loads
// libVQ4.so exactly as the program does, compresses the file into the project
// folder DIR and prints the stream, its size, codec tag, bit rate and SNRs.
int runAudioCompress(const AudioCompressOptions& options, std::ostream& out, std::ostream& err);

void addAudioCommands(CLI::App& app, int& exitCode);

} // namespace quorl::cli
