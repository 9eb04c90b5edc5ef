#include "cli/fleet_commands.h"

#include "audio/custom_audio_slots.h"
#include "audio/voice_build.h"
#include "cli/codeplug_commands.h"
#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/codeplug_texts.h"
#include "codeplug/ppg_file.h"
#include "link/cradle_discovery.h"
#include "link/custom_audio_download.h"
#include "link/fleet_operation.h"
#include "link/fleet_write.h"
#include "link/operation_host.h"
#include "link/pager_link.h"
#include "link/programming_log.h"
#include "link/sha256.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>

namespace quorl::cli {

namespace {

// Progress of every cradle: on a terminal one line per cradle, redrawn in place;
// otherwise one line per change of phase or tenth of the way.
class FleetProgressPrinter : public FleetObserver {
public:
    FleetProgressPrinter(std::ostream& err, bool terminal, const std::vector<std::string>& ports)
        : err_(err), terminal_(terminal), rows_(ports.size()) {
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
        std::lock_guard lock(mutex_);
        rows_[cradle].serial = identity.serialNumber;
        if (terminal_)
            redraw();
        else
            err_ << rowText(cradle) << '\n';
    }

private:
    struct Row {
        std::string port, serial, phase = "Waiting";
        int percent = 0;
    };

    std::string rowText(std::size_t i) const {
        const Row& r = rows_[i];
        return r.port + "  " + (r.serial.empty() ? "-" : r.serial) + "  " + r.phase + "  " +
               std::to_string(r.percent) + "%";
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
};

std::vector<std::string> connectedCradles(std::ostream& err) {
    std::vector<std::string> devices;
    for (const auto& c : listCradles(false).cradles)
        devices.push_back(c.devicePath);
    if (devices.empty())
        err << "quorl: no programming cradle found\n";
    return devices;
}

// The summary and the log; the exit code.
int finish(const std::vector<FleetResult>& results, const std::string& operation,
           const std::vector<std::string>& files, const FleetOptions& options, std::ostream& out,
           std::ostream& err) {
    const auto dash = [](const std::string& s) { return s.empty() ? std::string("-") : s; };
    for (const auto& r : results)
        out << r.port << '\t' << dash(r.identity.serialNumber) << '\t' << dash(r.identity.model)
            << '\t' << dash(r.identity.firmware) << '\t' << fleetResultText(r) << '\t'
            << dash(r.verify) << '\n';
    if (!options.logPath.empty() &&
        !appendProgrammingLog(options.logPath, programmingLogRows(results, operation, files))) {
        err << "quorl: cannot append to the log " << options.logPath << '\n';
        return kExitFailure;
    }
    return fleetAllGood(results) ? kExitOk : kExitFailure;
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

int runFleetWrite(const std::string& file, bool verify, const FleetOptions& options,
                  std::ostream& out, std::ostream& err) {
    auto source = std::make_unique<CodeplugState>();
    if (!loadLikeOpen(file, *source, err))
        return kExitFailure;
    const auto devices = connectedCradles(err);
    if (devices.empty())
        return kExitFailure;
    FleetProgressPrinter printer(err, options.terminal, devices);
    const auto results = writeToAllCradles(devices, source->image, verify, printer);
    return finish(results, "write", {file}, options, out, err);
}

int runFleetRead(const std::string& folder, const FleetOptions& options, std::ostream& out,
                 std::ostream& err) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec)) {
        err << "quorl: cannot use the folder " << folder << '\n';
        return kExitFailure;
    }
    const auto devices = connectedCradles(err);
    if (devices.empty())
        return kExitFailure;
    FleetProgressPrinter printer(err, options.terminal, devices);
    std::mutex names;
    auto results = runFleet(
        devices, OperationSelector::CodeplugRead, false,
        [&](PagerLink& link, OperationHost& host, FleetResult& result) {
            auto state = std::make_unique<CodeplugState>();
            state->busy = true;
            const auto read = readCodeplug(link, *state, host);
            if (read != OperationOutcome::Succeeded)
                return read;
            std::string firmware;
            for (const auto& c : state->firmwareVersion)
                firmware += c;
            result.identity = identityOfImage(state->image, firmware);
            std::filesystem::path path;
            {
                // Two pagers with one serial number must not overwrite each other.
                std::lock_guard lock(names);
                const std::string name = fileNameFor(result);
                path = std::filesystem::path(folder) / (name + ".ppg");
                for (int n = 2; std::filesystem::exists(path, ec); ++n)
                    path =
                        std::filesystem::path(folder) / (name + "-" + std::to_string(n) + ".ppg");
                result.fileName = path.string();
                // Written as Save As writes it.
                if (!writePpgFile(path, preparedForFile(state->committedEdits()))) {
                    host.showMessage(texts::kFileError3, MessageIcon::Stop);
                    return OperationOutcome::Failed;
                }
            }
            return OperationOutcome::Succeeded;
        },
        printer);
    return finish(results, "read", {}, options, out, err);
}

int runFleetAudioWrite(const std::array<DownloadSlot, kDownloadSlots>& slots,
                       const FleetOptions& options, std::ostream& out, std::ostream& err) {
    const auto devices = connectedCradles(err);
    if (devices.empty())
        return kExitFailure;
    // The voice build works in one folder with one library: one build at a time, each
    // recording built once. Every cradle then gets its own copy of the stream, since
    // the page file is made beside it.
    VoiceBuild voice(buildFolder());
    std::mutex buildMutex;
    std::map<std::string, std::optional<std::filesystem::path>> built;
    // A folder of its own (mode 0700, a name no one can take first) in a shared /tmp.
    std::string scratchName = (std::filesystem::temp_directory_path() / "quorl-fleet-XXXXXX");
    if (::mkdtemp(scratchName.data()) == nullptr) {
        err << "quorl: cannot make a scratch folder in "
            << std::filesystem::temp_directory_path().string() << '\n';
        return kExitFailure;
    }
    const std::filesystem::path scratch = scratchName;
    std::vector<std::string> files;
    for (const auto& s : slots)
        if (s.write)
            files.push_back(s.wav.string());
    FleetProgressPrinter printer(err, options.terminal, devices);
    const auto results = runFleet(
        devices, OperationSelector::CustomAudioDownload, true,
        [&](PagerLink& link, OperationHost& host, FleetResult&) {
            const auto own = scratch / std::filesystem::path(link.portName()).filename();
            auto builder = [&](const std::string& wav) -> std::optional<std::filesystem::path> {
                std::lock_guard lock(buildMutex);
                auto it = built.find(wav);
                if (it == built.end())
                    it = built.emplace(wav, voice.build(wav)).first;
                if (!it->second)
                    return std::nullopt;
                std::error_code ec;
                std::filesystem::create_directories(own, ec);
                const auto copy = own / it->second->filename();
                std::filesystem::copy_file(*it->second, copy,
                                           std::filesystem::copy_options::overwrite_existing, ec);
                if (ec)
                    return std::nullopt;
                return copy;
            };
            return downloadCustomAudio(link, host, slots, builder);
        },
        printer);
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
    return finish(results, "audio write", files, options, out, err);
}

} // namespace quorl::cli
