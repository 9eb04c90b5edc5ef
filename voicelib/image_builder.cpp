#include "voicelib/image_builder.h"

#include "base/decimal_text.h"

#include "voicelib/hooks.h"
#include "voicelib/image_listing.h"
#include "voicelib/message_chain.h"
#include "voicelib/no_follow_file.h"
#include "voicelib/project_state.h"
#include "voicelib/text_format.h"
#include "voicelib/vq4_texts.h"
#include "voicelib/wav_reader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace quorl::vq4 {

namespace {

constexpr std::uint32_t kNoAddress = 0xFFFFFF;
constexpr std::uint64_t kAddressSpace = 0x1000000;

std::uint32_t internalMemoryBytes() {
    return kInternalMemoryMbit * (1u << 20) / 8;
}

bool readWholeFile(const std::string& path, std::vector<std::uint8_t>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    FilePtr f(fopenNoFollowForWriting(path, "wb"));
    if (!f) {
        reportFileError(path);
        return false;
    }
    return std::fwrite(data, 1, size, f.get()) == size && std::fclose(f.release()) == 0;
}

void putLe(std::vector<std::uint8_t>& image, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        image[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Reserved regions that already have an address and overlap [first, last].
const ReservedRegion* overlappingRegion(const ProjectState& p, std::uint64_t first,
                                        std::uint64_t last) {
    for (const auto& r : p.reserved)
        if (r.placed && first <= r.end && last >= r.begin)
            return &r;
    return nullptr;
}

// The end + 1 of the nearest placed region at or after `cursor`'s collision.
std::uint64_t pastRegion(const ProjectState& p, std::uint64_t cursor) {
    std::uint64_t best = UINT64_MAX;
    for (const auto& r : p.reserved)
        if (r.placed && r.end >= cursor)
            best = std::min<std::uint64_t>(best, std::uint64_t{r.end} + 1);
    return best == UINT64_MAX ? cursor : best;
}

struct Placed {
    std::uint32_t begin;
    int kind; // 0 prompt, 1 macro, 2 reserved region, 3 version text; order on equal begin
    std::size_t index;
};

// The project file <projectDir>/<folder name>.prj, rewritten when it exists.
void saveProjectFile(const ProjectState& p) {
    if (!askQuestion(texts::kSaveProjectTitle, texts::kSaveProjectText))
        return;
    const std::filesystem::path dir(withoutTrailingSeparator(p.projectDir));
    const std::string prj = joinPath(dir.string(), dir.filename().string() + ".prj");
    std::error_code ec;
    if (p.projectDir.empty() || !std::filesystem::is_regular_file(prj, ec)) {
        reportError(texts::kNoFileTitle, texts::kNoFileText);
        return;
    }
    std::string s = "[Info]\r\n";
    s += "ProjectDir=" + p.projectDir + "\r\n";
    s += "ResampleDir=" + p.resampleDir + "\r\n";
    s += "BinDir=" + p.binDir + "\r\n";
    s += "MemFileName=" + p.memFileName + "\r\n";
    s += formatText("ClockConfigurationByte=0x%02X\r\n", p.clockConfigurationByte);
    s += "ClockInputFrequency=" + decimalText(p.clockInputFrequency, 0) + "\r\n";
    s += formatText("IntMem=%d\r\n", p.intMem);
    s += "[VPWaveList]\r\n";
    for (const auto& v : p.prompts)
        s += formatText("VW_%d=%s\r\n", v.index + 1, v.sourcePath.c_str());
    writeFile(prj, reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

} // namespace

std::string imageVersionText(int month, int day, int year) {
    std::string s = formatText("KTV-VPE Ver %x.%04x ", 0x151, 0x10);
    s += formatText("%02d/%02d/%04d ", month, day, year);
    s.resize(kVersionTextSize, ' ');
    return s;
}

std::uint32_t imageChecksum(const std::uint8_t* image, std::size_t size, std::size_t n) {
    const std::size_t skipFrom = 5 + 6 * n;
    const std::size_t skipTo = skipFrom + 15;
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < size; ++i)
        if (i < skipFrom || i >= skipTo)
            sum += image[i];
    return sum;
}

ImageBuildReport buildDownloadImage() {
    ImageBuildReport report;
    ProjectState& p = projectState();
    if (!checkVoiceMacros(p.macros))
        return report;

    const std::uint32_t internalBytes = internalMemoryBytes();
    const ProjectFolders folders = p.folders();
    std::vector<std::vector<std::uint8_t>> streams(p.prompts.size());
    bool missing = false;
    for (std::size_t i = 0; i < p.prompts.size(); ++i) {
        PromptNode& v = p.prompts[i];
        const std::string path = promptFileNames(folders, v.name, v.sampleRate, v.codecTag).stream;
        // The stream file itself decides how much room the prompt takes.
        if (v.codecTag.empty() || !readWholeFile(path, streams[i])) {
            reportFileError(path);
            v.needsCompression = true;
            v.size = 0;
            missing = true;
            continue;
        }
        v.size = static_cast<std::int64_t>(streams[i].size());
    }
    for (const auto& r : p.reserved)
        missing = missing || r.needsCompression;
    if (missing) {
        reportError(texts::kBusyTitle, texts::kWaitForCompression);
        return report;
    }

    const std::size_t n = p.macros.size() + p.prompts.size();
    std::uint64_t cursor = 20 + 6 * n;
    for (auto& v : p.prompts)
        v.begin = v.end = 0;
    for (auto& m : p.macros)
        m.begin = m.end = m.data.empty() ? kNoAddress : 0;

    // Placement passes: whatever runs into a reserved region waits for the next pass.
    struct Item {
        bool macro;
        std::size_t index;
    };
    std::vector<Item> pending;
    for (std::size_t i = 0; i < p.prompts.size(); ++i)
        pending.push_back({false, i});
    for (std::size_t i = 0; i < p.macros.size(); ++i)
        if (!p.macros[i].data.empty())
            pending.push_back({true, i});
    while (!pending.empty()) {
        std::vector<Item> skipped;
        for (const Item& it : pending) {
            const std::uint64_t size =
                it.macro ? p.macros[it.index].data.size() : streams[it.index].size();
            if (size > 0 && overlappingRegion(p, cursor, cursor + size - 1)) {
                skipped.push_back(it);
                continue;
            }
            auto& begin = it.macro ? p.macros[it.index].begin : p.prompts[it.index].begin;
            auto& end = it.macro ? p.macros[it.index].end : p.prompts[it.index].end;
            begin = static_cast<std::uint32_t>(cursor);
            end = static_cast<std::uint32_t>(cursor + size - 1);
            cursor += size;
        }
        if (skipped.size() == pending.size() && pastRegion(p, cursor) == cursor)
            break; // cannot happen with placed regions, but never loop forever
        cursor = skipped.empty() ? cursor : pastRegion(p, cursor);
        pending.swap(skipped);
    }
    while (overlappingRegion(p, cursor, cursor + kVersionTextSize - 1))
        cursor = pastRegion(p, cursor);
    report.versionAddress = static_cast<std::uint32_t>(cursor);
    cursor += kVersionTextSize;
    cursor = (cursor + kSectorSize - 1) / kSectorSize * kSectorSize;
    for (auto& r : p.reserved) {
        if (r.placed)
            continue;
        r.begin = static_cast<std::uint32_t>(cursor);
        cursor += std::uint64_t{r.sectors} * kSectorSize;
        r.end = static_cast<std::uint32_t>(cursor - 1);
        r.placed = true;
    }
    // The pointer table holds 24-bit addresses: an image beyond them (absurd
    // region sizes) cannot be described and is not written.
    if (cursor > kAddressSpace) {
        std::fputs(
            formatText(texts::kImageTooLarge, static_cast<unsigned long long>(cursor)).c_str(),
            stdout);
        return report;
    }
    // The pager records after everything the image holds.
    std::uint64_t top = cursor;
    for (const auto& r : p.reserved)
        top = std::max<std::uint64_t>(top, std::uint64_t{r.end} + 1);
    report.recordingPointer = static_cast<std::uint32_t>((top - 1) / kSectorSize + 1);

    // Header and pointer table.
    std::vector<std::uint8_t> image(20 + 6 * n, 0);
    image[0] = kImageHeaderByte;
    putLe(image, 1, report.recordingPointer, 2);
    putLe(image, 3, 0, 2);
    std::size_t at = 5;
    for (const auto& m : p.macros) {
        putLe(image, at, m.begin, 3);
        putLe(image, at + 3, m.end, 3);
        at += 6;
    }
    for (const auto& v : p.prompts) {
        putLe(image, at, v.begin, 3);
        putLe(image, at + 3, v.end, 3);
        at += 6;
    }
    image[at] = 0x00;
    image[at + 1] = 0xFF;
    image[at + 2] = 0xFF;
    putLe(image, at + 11, 0xFFFFFFFFu, 4);

    // Data in address order; gaps are 0xFF.
    std::vector<Placed> objects;
    for (std::size_t i = 0; i < p.prompts.size(); ++i)
        objects.push_back({p.prompts[i].begin, 0, i});
    for (std::size_t i = 0; i < p.macros.size(); ++i)
        if (!p.macros[i].data.empty())
            objects.push_back({p.macros[i].begin, 1, i});
    for (std::size_t i = 0; i < p.reserved.size(); ++i)
        objects.push_back({p.reserved[i].begin, 2, i});
    objects.push_back({report.versionAddress, 3, 0});
    std::stable_sort(objects.begin(), objects.end(), [](const Placed& a, const Placed& b) {
        return a.begin != b.begin ? a.begin < b.begin : a.kind < b.kind;
    });
    const std::string version = imageVersionText(p.openedMonth, p.openedDay, p.openedYear);
    for (const Placed& o : objects) {
        if (o.begin > image.size()) {
            if (o.kind == 0) {
                std::fputs(formatText(texts::kAddressErrorPrompt, o.begin,
                                      static_cast<unsigned>(image.size()))
                               .c_str(),
                           stdout);
                p.prompts[o.index].needsCompression = true;
                p.prompts[o.index].size = 0;
            } else if (o.kind == 1) {
                std::fputs(formatText(texts::kAddressErrorMacro, p.macros[o.index].name.c_str(),
                                      o.begin, static_cast<unsigned>(image.size()))
                               .c_str(),
                           stdout);
            }
            image.resize(o.begin, 0xFF);
        }
        switch (o.kind) {
        case 0:
            image.insert(image.end(), streams[o.index].begin(), streams[o.index].end());
            break;
        case 1:
            image.insert(image.end(), p.macros[o.index].data.begin(), p.macros[o.index].data.end());
            break;
        case 2: {
            const auto& r = p.reserved[o.index];
            const std::size_t bytes = std::size_t{r.sectors} * kSectorSize;
            if (r.kind != ReservedRegion::Kind::Data) {
                const auto sectors = messageSectors(r.content, r.begin / kSectorSize, r.sectors);
                image.insert(image.end(), sectors.begin(), sectors.end());
                break;
            }
            const std::size_t content = std::min(bytes, r.content.size());
            image.insert(image.end(), r.content.begin(),
                         r.content.begin() + static_cast<std::ptrdiff_t>(content));
            image.resize(image.size() + bytes - content, 0xFF);
            break;
        }
        default:
            image.insert(image.end(), version.begin(), version.end());
            break;
        }
    }
    image.resize((image.size() + kSectorSize - 1) / kSectorSize * kSectorSize, 0xFF);
    report.imageBytes = image.size();
    report.checksum = imageChecksum(image.data(), image.size(), n);

    // The image goes out with an empty checksum field, then the checksum is
    // patched in through a temporary copy.
    const std::string imagePath = p.imagePath();
    if (!writeFile(imagePath, image.data(), image.size()))
        return report;
    const std::string tmp = imagePath + ".tmp";
    std::error_code ec;
    std::filesystem::copy_file(imagePath, tmp, std::filesystem::copy_options::overwrite_existing,
                               ec);
    std::vector<std::uint8_t> copy;
    if (ec || !readWholeFile(tmp, copy) || copy.size() != image.size()) {
        reportFileError(tmp);
        return report;
    }
    putLe(copy, 16 + 6 * n, report.checksum, 4);
    if (!writeFile(imagePath, copy.data(), copy.size()))
        return report;
    std::filesystem::remove(tmp, ec);

    if (image.size() > internalBytes) {
        writeFile(imagePath + ".int", copy.data(), internalBytes);
        writeFile(imagePath + ".ext", copy.data() + internalBytes, copy.size() - internalBytes);
    }
    const std::string listing = imageListing(p, report);
    if (!writeFile(listingPathFor(imagePath), reinterpret_cast<const std::uint8_t*>(listing.data()),
                   listing.size()))
        return report;
    saveProjectFile(p);
    report.built = true;
    return report;
}

} // namespace quorl::vq4
