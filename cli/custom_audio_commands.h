#pragma once

#include <iosfwd>

#include <string>
#include <utility>
#include <vector>

namespace CLI {
class App;
}

namespace quorl::cli {

// `quorl audio check FILE.wav`: the Custom Audio window's WAV check.
int runAudioCheck(const std::string& file);

// The Custom Audio window's WAV check and the compression's own, said on `err`.
bool recordingPasses(const std::string& file, std::ostream& err);

// `quorl audio write [--port PORT] --slot N=FILE.wav ...`: Write Custom Audio for
// the given slots (1..13, or "Alert 1" .. "SW H").
// With `fleet`, every connected cradle at once (`--all`).
struct FleetOptions;
int runAudioWrite(const std::string& port, const std::vector<std::string>& slotArgs,
                  const FleetOptions* fleet = nullptr);

// Slot number 0..12 of "N" or a short name; -1 when it names no slot.
int parseSlot(const std::string& text);

void addCustomAudioCommands(CLI::App& audio, int& exitCode);

} // namespace quorl::cli
