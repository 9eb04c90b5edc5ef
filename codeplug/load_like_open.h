#pragma once

#include <iosfwd>
#include <string>

namespace quorl {

struct CodeplugState;

// Loads a .ppg file into `state` exactly as the program's Open does, for the tools
// that run without a window; false after the File Error was printed to `err`, with
// the file and the cause on the next line.
bool loadLikeOpen(const std::string& path, CodeplugState& state, std::ostream& err);

} // namespace quorl
