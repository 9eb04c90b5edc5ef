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

// True for an existing regular file; otherwise says why not on `err`, naming `shown`.
// A FIFO or a device would never end, so only regular files are read.
bool isRegularFile(const std::string& path, const std::string& shown, std::ostream& err);

// The --type and --srtype options of the commands that compress.
void addCodecOptions(CLI::App& command, int& compressionType, int& srType);

void addAudioCommands(CLI::App& app, int& exitCode);

} // namespace quorl::cli
