// Scans arbitrary bytes as the simulator scans what the program sends.
#include "link/sim/command_frame_scan.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorl::sim;
    const auto scan = scanCommandFrame(std::span<const std::uint8_t>(data, size));
    if (scan.result == ScanResult::Valid && (scan.length > size || scan.length < 5))
        std::abort();
    if (scan.result == ScanResult::Valid)
        (void)frameAddress(scan.frame);
    return 0;
}
