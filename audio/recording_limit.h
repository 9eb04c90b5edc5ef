#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quorl {

// How long a recording for a slot may run at a compression: one second of a tone
// compressed with the voice library as a download compresses it, its fit measured
// (slot_fit.h) and the longest recording the slot holds at that rate taken, to the
// tenth of a second below. Exact for the fixed-rate types; for the variable ones what
// a steady sound costs. None, with `problem` saying why, when the library cannot
// compress it.
std::optional<double> slotRecordingLimit(const std::filesystem::path& buildFolder,
                                         int compressionType, int srType, std::string& problem);

} // namespace quorl
