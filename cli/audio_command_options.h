#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace quorl::cli {

// True for an existing regular file; otherwise says why not on `err`, naming `shown`.
// A FIFO or a device would never end, so only regular files are read.
bool isRegularFile(const std::string& path, const std::string& shown, std::ostream& err);

// The --type and --srtype options of the commands that compress.
void addCodecOptions(CLI::App& command, int& compressionType, int& srType);

} // namespace quorl::cli
