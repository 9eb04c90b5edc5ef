#include "tests/link/xon_xoff_codeplug.h"

#include "codeplug/checksums.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/image_check.h"
#include "link/codeplug_operation.h"
#include "tests/support/link_test_support.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <vector>

namespace quorl::test {

namespace {

constexpr std::uint8_t kXon = 0x11;
constexpr std::uint8_t kXoff = 0x13;

bool accepted(CodeplugImage image) {
    updateChecksums(image);
    BandLimits limits;
    return checkImage(image, limits);
}

// Each block checksum and the first byte it covers.
std::vector<std::pair<Address, Address>> checksummedBlocks() {
    using namespace layout;
    std::vector<std::pair<Address, Address>> out = {
        {kModelOptionsBlock, kModelOptionsBlock + kModelOptionsLength + 1u},
        {kFunctionSwitchesBlock, kFunctionSwitchesBlock + kFunctionSwitchesLength + 1u}};
    for (int ch = 0; ch < kChannelCount; ++ch)
        out.emplace_back(channelBase(ch), channelBase(ch) + kChannelBlockSize - 1);
    return out;
}

// Sets `at` so that `sum` of the covered bytes (plus `base`) comes to `target`.
void steer(CodeplugImage& image, Address at, Address from, std::size_t length, unsigned base,
           std::uint8_t target) {
    const auto current = static_cast<std::uint8_t>(base + image.sum(from, length));
    image.set(at, static_cast<std::uint8_t>(image.at(at) + target - current));
}

} // namespace

CodeplugImage codeplugFullOfXonXoff() {
    CodeplugImage image = defaultTestCodeplug();
    // Bytes the pair must not land on: length bytes and checksums (set below), the
    // model number and version bytes a write compares, and the mirror, which a write
    // copies from 0x0200.
    std::set<Address> keep;
    for (const auto& [block, sum] : checksummedBlocks()) {
        keep.insert(block);
        keep.insert(sum);
    }
    keep.insert(layout::kGeneralBlock);
    for (Address a = 0x011A; a <= 0x012A; ++a)
        keep.insert(a);
    keep.insert(0x013B);
    keep.insert(0x013C);

    std::set<int> blocks(std::begin(kReadBlocks), std::end(kReadBlocks));
    blocks.insert(std::begin(kWriteBlocks), std::end(kWriteBlocks));
    std::set<Address> stuffed;
    for (int n : blocks) {
        if (n >= 244 && n <= 245)
            continue; // the mirror, filled from blocks 8 and 9
        bool placed = false;
        for (int k = 61; k >= 0 && !placed; --k) {
            const auto a = static_cast<Address>(64 * n + k);
            if (keep.count(a) || keep.count(a + 1))
                continue;
            CodeplugImage trial = image;
            trial.set(a, kXon);
            trial.set(a + 1, kXoff);
            if (!accepted(trial))
                continue;
            image = trial;
            stuffed.insert(a);
            stuffed.insert(a + 1);
            placed = true;
        }
        if (!placed)
            throw std::runtime_error("no room for XON/XOFF in block " + std::to_string(n));
    }

    // Every block checksum 0x11 or 0x13, steered through a covered byte that the image
    // check does not mind.
    int i = 0;
    for (const auto& [block, sum] : checksummedBlocks()) {
        const std::uint8_t target = (i++ % 2) != 0 ? kXon : kXoff;
        bool steered = false;
        for (Address a = sum - 1; a > block && !steered; --a) {
            if (stuffed.count(a) || keep.count(a))
                continue;
            CodeplugImage trial = image;
            steer(trial, a, block, sum - block, 0, target);
            if (!accepted(trial))
                continue;
            image = trial;
            keep.insert(a);
            steered = true;
        }
        if (!steered)
            throw std::runtime_error("cannot steer the checksum at " + std::to_string(sum));
    }
    updateChecksums(image);
    refreshModelOptionsMirror(image);

    // Frame checksums: the block replies 02 80 03 AH AL 00 40 D.. CK 03 of 0x3F00 and
    // 0x3F40, steered through their last byte (nothing reads that area), and the write
    // frame of 0x3D40, steered through 0x3D7F, the one byte there no mirror covers.
    steer(image, 0x3F3F, 0x3F00, 64, 0x80 + 0x03 + 0x3F + 0x00 + 0x40, kXon);
    steer(image, 0x3F7F, 0x3F40, 64, 0x80 + 0x03 + 0x3F + 0x40 + 0x40, kXoff);
    steer(image, 0x3D7F, 0x3D40, 64, 0x71 + 0x01 + 0x3D + 0x40 + 0x00 + 0x40, kXoff);
    return image;
}

} // namespace quorl::test
