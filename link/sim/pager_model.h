#pragma once

#include "codeplug/codeplug_image.h"
#include "link/sim/command_frame_scan.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorl::sim {

inline constexpr std::size_t kSectorSize = 4096;
// Voice memory of the simulated pager: 4 MB, 1,024 sectors.
inline constexpr unsigned kSectorCount = 1024;

// Who the simulated pager says it is.
struct PagerIdentity {
    std::string firmware = "V0107";         // five characters, shown V01.07
    std::optional<std::string> modelNumber; // twelve; default: the codeplug's field
    bool hasSerialNumber = true;            // bit 0x40 of status byte 0
    std::optional<std::array<std::uint8_t, 5>> supportedVersion; // default: from codeplug
};

// What the pager answers, with how long it takes (the voice erase is slow).
struct PagerResponse {
    std::vector<std::uint8_t> bytes; // empty: no answer
    int delayMs = 0;
};

// The pager behind the frames: its codeplug, identity, programming mode and voice
// memory, which must be erased (to 0xFF) before it can be written, as flash memory is.
class PagerModel {
public:
    explicit PagerModel(CodeplugImage codeplug, PagerIdentity identity = {});

    PagerResponse handle(const CommandFrame& frame);

    CodeplugImage& codeplug() { return codeplug_; }
    const CodeplugImage& codeplug() const { return codeplug_; }
    PagerIdentity& identity() { return identity_; }
    void setEraseDelayMs(int ms) { eraseDelayMs_ = ms; }

    // One 4,096-byte sector (all 0xFF until written).
    std::array<std::uint8_t, kSectorSize> sector(unsigned number) const;
    // Slots and tones played, in order (0xB0: slot; 0xB5: 100 + tone; 0xB6: 200).
    const std::vector<int>& auditions() const { return auditions_; }
    std::string modelNumber() const;
    std::array<std::uint8_t, 5> supportedVersion() const;

private:
    enum class Mode { Idle, Reading, Writing };

    PagerResponse writeVoice(const CommandFrame& f);
    PagerResponse eraseVoice(const CommandFrame& f);

    CodeplugImage codeplug_;
    PagerIdentity identity_;
    Mode mode_ = Mode::Idle;
    int eraseDelayMs_ = 300;
    std::map<unsigned, std::array<std::uint8_t, kSectorSize>> sectors_;
    std::vector<int> auditions_;
};

} // namespace quorl::sim
