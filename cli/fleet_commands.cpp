#include "cli/fleet_commands.h"

#include "audio/custom_audio_slots.h"
#include "audio/voice_build.h"
#include "base/atomic_file_write.h"
#include "base/file_reading.h"
#include "base/printable_text.h"
#include "base/temporary_files.h"
#include "base/whole_write.h"
#include "cli/codeplug_commands.h"
#include "cli/codeplug_source.h"
#include "cli/fleet_log.h"
#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/codeplug_texts.h"
#include "codeplug/ppg_file.h"
#include "codeplug/stream_document_host.h"
#include "link/cradle_discovery.h"
#include "link/custom_audio_download.h"
#include "link/fleet_operation.h"
#include "link/fleet_write.h"
#include "link/operation_host.h"
#include "link/pager_link.h"
#include "link/programming_log.h"
#include "link/sha256.h"
#include "textplug/text_file.h"
#include "textplug/text_import.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <span>
#include <sys/stat.h>
#include <unistd.h>

namespace quorl::cli {

namespace {

const std::string kTextRefusedForPager = "The text is refused for this pager's codeplug: ";
const char* const kTextResultFailsCheck =
    "The text applied to this pager's codeplug does not pass the image check";

// Progress of every cradle: on a terminal one line per cradle, redrawn in place;
// otherwise one line per change of phase or tenth of the way.
class FleetProgressPrinter : public FleetObserver {
public:
    FleetProgressPrinter(std::ostream& err, bool terminal, const std::vector<std::string>& ports,
                         FleetLog& log)
        : err_(err), terminal_(terminal), rows_(ports.size()), log_(log) {
        for (std::size_t i = 0; i < ports.size(); ++i)
            rows_[i].port = ports[i];
        if (terminal_)
            for (std::size_t i = 0; i < rows_.size(); ++i)
                err_ << rowText(i) << '\n';
    }

    void progress(std::size_t cradle, std::string_view phase, int percent) override {
        std::lock_guard lock(mutex_);
        Row& row = rows_[cradle];
        // Progress texts end in their percentage ("Reading 40%"); the phase is the word.
        const std::string word(phase.substr(0, phase.find_first_of(" 0123456789")));
        const bool news = word != row.phase || percent / 10 != row.percent / 10;
        row.phase = word;
        row.percent = percent;
        if (terminal_)
            redraw();
        else if (news)
            err_ << rowText(cradle) << '\n';
    }

    void identified(std::size_t cradle, const PagerIdentity& identity) override {
        log_.identified(cradle, identity);
        std::lock_guard lock(mutex_);
        rows_[cradle].serial = identity.serialNumber;
        if (terminal_)
            redraw();
        else
            err_ << rowText(cradle) << '\n';
    }

    void finished(std::size_t cradle, const FleetResult& result) override {
        log_.finished(cradle, result);
    }

private:
    struct Row {
        std::string port, serial, phase = "Waiting";
        int percent = 0;
    };

    std::string rowText(std::size_t i) const {
        const Row& r = rows_[i];
        // Pager text may hold anything; it reaches the terminal escaped.
        return printableText(r.port) + "  " + (r.serial.empty() ? "-" : printableText(r.serial)) +
               "  " + r.phase + "  " + std::to_string(r.percent) + "%";
    }

    void redraw() {
        err_ << "\x1b[" << rows_.size() << 'A';
        for (std::size_t i = 0; i < rows_.size(); ++i)
            err_ << "\r\x1b[2K" << rowText(i) << '\n';
        err_.flush();
    }

    std::mutex mutex_;
    std::ostream& err_;
    bool terminal_;
    std::vector<Row> rows_;
    FleetLog& log_;
};

std::vector<std::string> connectedCradles(std::ostream& err) {
    std::vector<std::string> devices;
    for (const auto& c : listCradles(false).cradles)
        devices.push_back(c.devicePath);
    if (devices.empty())
        err << "quorl: no programming cradle found\n";
    return devices;
}

// Made when missing; a folder (links judged as a save judges them) the user may add
// files to. Otherwise false with the folder and the cause.
bool usableOutputFolder(const std::string& folder, std::string& problem) {
    if (folder.empty()) {
        problem = "\"\": no folder named";
        return false;
    }
    std::filesystem::path real;
    if (!resolveSaveTarget(folder, real, problem))
        return false;
    std::error_code ec;
    std::filesystem::create_directories(real, ec);
    if (ec) {
        problem = folder + ": " + ec.message();
        return false;
    }
    struct stat st {};
    const int error = ::stat(real.c_str(), &st) != 0             ? errno
                      : !S_ISDIR(st.st_mode)                     ? ENOTDIR
                      : ::access(real.c_str(), W_OK | X_OK) != 0 ? errno
                                                                 : 0;
    if (error != 0)
        problem = folder + ": " + std::strerror(error);
    return error == 0;
}

// The summary; the exit code. Every pager's row went to the log as it ended.
int finish(const std::vector<FleetResult>& results, FleetLog& log, std::ostream& out,
           std::ostream& err) {
    // Pager text is escaped, so a TAB in it cannot add a column.
    const auto field = [](const std::string& s) {
        return s.empty() ? std::string("-") : printableText(s);
    };
    for (const auto& r : results)
        out << field(r.port) << '\t' << field(r.identity.serialNumber) << '\t'
            << field(r.identity.model) << '\t' << field(r.identity.firmware) << '\t'
            << field(fleetResultText(r)) << '\t' << field(r.verify) << '\n';
    if (!log.allAppended()) {
        err << "quorl: cannot append to the log " << printableText(log.problem()) << '\n';
        return kExitFailure;
    }
    return fleetAllGood(results) ? kExitOk : kExitFailure;
}

// A text without --base: each pager's own codeplug is read and the text applied onto
// it, as `write` does for one cradle. The text is read once (it may be a pipe).
int runFleetTextWrite(const CodeplugSource& codeplug, bool verify, const FleetOptions& options,
                      std::ostream& out, std::ostream& err) {
    std::string why;
    const auto text = textplug::readTextFile(codeplug.file, why);
    if (!text) {
        err << fileProblemLine(codeplug.file, why);
        return kExitFailure;
    }
    const auto devices = connectedCradles(err);
    if (devices.empty())
        return kExitFailure;
    FleetLog log(options.logPath, "write", codeplug.file, devices);
    FleetProgressPrinter printer(err, options.terminal, devices, log);
    const auto imageFor = [&](PagerLink& link,
                              OperationHost& host) -> std::optional<CodeplugImage> {
        auto base = std::make_unique<CodeplugState>();
        if (readCodeplug(link, *base, host) != OperationOutcome::Succeeded)
            return std::nullopt;
        const auto result = textplug::importCodeplugText(*text, base->committedEdits(),
                                                         textplug::ImportOptions{codeplug.partial});
        std::string refused;
        for (const auto& p : result.errors)
            refused += textplug::formatProblem(printableText(codeplug.file), p) + "\n";
        if (!result.image) {
            host.showMessage(kTextRefusedForPager + refused, MessageIcon::Stop);
            return std::nullopt;
        }
        auto check = std::make_unique<CodeplugState>();
        check->loadBoth(*result.image);
        if (!check->checkImage()) {
            host.showMessage(kTextResultFailsCheck, MessageIcon::Stop);
            return std::nullopt;
        }
        return result.image;
    };
    const auto results = writeToAllCradles(devices, imageFor, verify, printer, codeplug.file);
    return finish(results, log, out, err);
}

// A serial number as a file name: nothing that leaves the folder or hides the file.
std::string fileNameFor(const FleetResult& r) {
    std::string name;
    for (const char c : r.identity.serialNumber)
        name.push_back(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c
                                                                                           : '_');
    if (name.empty())
        name = "no-serial-" + std::filesystem::path(r.port).filename().string();
    return name;
}

} // namespace

int runFleetWrite(const CodeplugSource& codeplug, bool verify, const FleetOptions& options,
                  std::ostream& out, std::ostream& err) {
    const std::string& file = codeplug.file;
    if (isCodeplugText(file) && codeplug.base.empty())
        return runFleetTextWrite(codeplug, verify, options, out, err);
    auto source = std::make_unique<CodeplugState>();
    if (!loadCodeplugSource(codeplug, *source, err, [](CodeplugState&) { return false; }))
        return kExitFailure;
    const auto devices = connectedCradles(err);
    if (devices.empty())
        return kExitFailure;
    FleetLog log(options.logPath, "write", file, devices);
    FleetProgressPrinter printer(err, options.terminal, devices, log);
    const auto results = writeToAllCradles(devices, source->image, verify, printer, file);
    return finish(results, log, out, err);
}

int runFleetRead(const std::string& folder, const FleetOptions& options, std::ostream& out,
                 std::ostream& err) {
    // The folder is made and looked at before any pager is read, and named with the
    // cause when it cannot take the files.
    std::string problem;
    if (!usableOutputFolder(folder, problem)) {
        // As a single read says it of its file.
        err << terminalText(texts::kFileError3) << '\n' << problemLine(problem);
        return kExitFailure;
    }
    const auto devices = connectedCradles(err);
    if (devices.empty())
        return kExitFailure;
    FleetLog log(options.logPath, "read", {}, devices);
    FleetProgressPrinter printer(err, options.terminal, devices, log);
    std::mutex names;
    auto results = runFleet(
        devices, OperationSelector::CodeplugRead, false,
        [&](PagerLink& link, OperationHost& host, FleetResult& result) {
            // Who answered, asked first so that a pager that fails later is still named.
            if (const auto firmware = queryFirmwareVersion(link))
                result.identity.firmware.assign(firmware->begin(), firmware->end());
            if (const auto model = queryPagerModel(link))
                result.identity.model = *model;
            auto state = std::make_unique<CodeplugState>();
            std::ranges::fill(state->image.bytes(), std::uint8_t{0xFF});
            // The blocks that came in, kept by the read even when it fails (the
            // document is only changed by a whole read).
            CodeplugImage arrived = state->image;
            const auto read = readCodeplug(link, *state, host, &arrived);
            // The serial number, once the General block came in.
            result.identity.serialNumber = identityOfImage(arrived, {}).serialNumber;
            if (read != OperationOutcome::Succeeded)
                return read;
            std::string ppg(kPpgHeader);
            const auto image = preparedForFile(state->committedEdits());
            result.codeplug.assign(image.bytes().begin(), image.bytes().end());
            ppg.append(reinterpret_cast<const char*>(image.bytes().data()), image.bytes().size());
            // Each file is new and made in the folder itself: never through a link, never
            // over another pager's file (two pagers may share a serial number).
            std::lock_guard lock(names);
            const std::string name = fileNameFor(result);
            std::string failure;
            for (int n = 1; n < 1000; ++n) {
                std::string file = name;
                if (n > 1)
                    file.append("-").append(std::to_string(n));
                const auto path = std::filesystem::path(folder) / file.append(".ppg");
                const int fd = ::open(path.c_str(),
                                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
                if (fd < 0 && errno == EEXIST)
                    continue;
                const bool written = fd >= 0 && writeWhole(fd, ppg) && ::fsync(fd) == 0;
                failure = path.string() + ": " + std::strerror(errno != 0 ? errno : ENOSPC);
                if (fd >= 0 && ::close(fd) != 0)
                    break;
                if (!written) {
                    if (fd >= 0)
                        ::unlink(path.c_str());
                    break;
                }
                result.fileName = path.string();
                result.size = std::to_string(ppg.size());
                result.sha256 = sha256Hex(
                    std::span(reinterpret_cast<const std::uint8_t*>(ppg.data()), ppg.size()));
                return OperationOutcome::Succeeded;
            }
            host.showMessage(std::string(texts::kFileError3) + "\n" + failure, MessageIcon::Stop);
            return OperationOutcome::Failed;
        },
        printer);
    return finish(results, log, out, err);
}

namespace {

// The fleet's voice builds: each distinct recording (by its bytes, read now) is built
// once, and every cradle gets a read-only copy of its own, named after the slot, in a
// private folder of its own (the page file is made beside it).
class FleetStreams {
public:
    explicit FleetStreams(const std::filesystem::path& scratch)
        : scratch_(scratch), voice_(buildFolder()) {}

    std::optional<std::filesystem::path> forCradle(const std::filesystem::path& cradleFolder,
                                                   int slot, const std::string& wav) {
        std::string recording, problem;
        bool tooLarge = false;
        if (!readSmallFile(wav, 1 << 20, recording, problem, tooLarge))
            return std::nullopt;
        const std::string key = sha256Hex(
            std::span(reinterpret_cast<const std::uint8_t*>(recording.data()), recording.size()));
        std::string stream;
        {
            std::lock_guard lock(mutex_);
            auto it = built_.find(key);
            if (it == built_.end()) {
                // Built from the very bytes just hashed, not from the file again.
                const auto copy = scratch_ / (key + ".wav");
                std::optional<std::string> bytes;
                if (writeFileAtomically(copy, std::as_bytes(std::span(recording))))
                    if (const auto built = voice_.build(slot, copy.string()))
                        if (readSmallFile(*built, 1 << 20, stream, problem, tooLarge))
                            bytes = stream;
                it = built_.emplace(key, bytes).first;
            }
            if (!it->second)
                return std::nullopt;
            stream = *it->second;
        }
        const auto own = slotStreamPath(cradleFolder, slot);
        std::error_code ec;
        std::filesystem::create_directories(own.parent_path(), ec);
        std::filesystem::remove(own, ec);
        FileWriteOptions readOnly;
        readOnly.newFileMode = 0400;
        if (!writeFileAtomically(own, std::as_bytes(std::span(stream)), nullptr, readOnly))
            return std::nullopt;
        return own;
    }

private:
    std::filesystem::path scratch_;
    VoiceBuild voice_;
    std::mutex mutex_;
    std::map<std::string, std::optional<std::string>> built_;
};

// A folder of its own (mode 0700, a name no one can take first) in `parent`.
std::optional<std::filesystem::path> privateFolderIn(const std::filesystem::path& parent,
                                                     const char* prefix) {
    std::string name = (parent / (std::string(prefix) + "XXXXXX")).string();
    if (::mkdtemp(name.data()) == nullptr)
        return std::nullopt;
    return std::filesystem::path(name);
}

} // namespace

int runFleetAudioWrite(const std::array<DownloadSlot, kDownloadSlots>& slots,
                       const FleetOptions& options, std::ostream& out, std::ostream& err) {
    const auto devices = connectedCradles(err);
    if (devices.empty())
        return kExitFailure;
    const auto scratch = privateFolderIn(std::filesystem::temp_directory_path(), "quorl-fleet-");
    if (!scratch) {
        err << "quorl: cannot make a scratch folder in "
            << std::filesystem::temp_directory_path().string() << '\n';
        return kExitFailure;
    }
    const TemporaryOnSignal removedOnSignal(*scratch);
    FleetStreams streams(*scratch);
    std::vector<std::string> files;
    for (const auto& s : slots)
        if (s.write)
            files.push_back(s.wav.string());
    std::string wavs;
    for (const auto& f : files) {
        if (!wavs.empty())
            wavs.push_back(';');
        wavs.append(f);
    }
    FleetLog log(options.logPath, "audio write", wavs, devices);
    FleetProgressPrinter printer(err, options.terminal, devices, log);
    const auto results = runFleet(
        devices, OperationSelector::CustomAudioDownload, true,
        [&](PagerLink& link, OperationHost& host, FleetResult& result) {
            // Named by no port: two cradles' links may share a base name.
            const auto own = privateFolderIn(*scratch, "cradle-");
            if (!own) {
                host.showMessage("Cannot make a folder for the cradle's streams",
                                 MessageIcon::Stop);
                return OperationOutcome::Failed;
            }
            return downloadCustomAudio(
                link, host, slots,
                [&](int slot, const std::string& wav) {
                    return streams.forCradle(*own, slot, wav);
                },
                [&](const SentStream& sent) {
                    // The streams as sent, slot by slot.
                    // Appended piece by piece: GCC 12 at -O3 reports text + text as an
                    // overlapping copy.
                    if (!result.sha256.empty()) {
                        result.size.push_back(';');
                        result.sha256.push_back(';');
                    }
                    result.size.append(std::to_string(sent.size));
                    result.sha256.append(sent.sha256);
                });
        },
        printer);
    std::error_code ec;
    std::filesystem::remove_all(*scratch, ec);
    return finish(results, log, out, err);
}

} // namespace quorl::cli
