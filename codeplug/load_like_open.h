#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace quorl {

struct CodeplugState;

// Loads a .ppg file into `state` exactly as the program's Open does, for the tools
// that run without a window; false after the File Error was printed to `err`, with
// the file and the cause on the next line.
bool loadLikeOpen(const std::string& path, CodeplugState& state, std::ostream& err);

// Why Open refused the .ppg file at `path`, in words: the format problem of its bytes,
// or that its codeplug fails the image check.
std::string whyNotOpened(const std::string& path);

// What Open says of a codeplug that was read but fails the image check.
inline constexpr std::string_view kFailsImageCheck = "the codeplug does not pass the image check";

} // namespace quorl
