#include "cli/custom_audio_commands.h"

#include "audio/custom_audio_slots.h"
#include "audio/voice_build.h"
#include "audio/wav_check.h"
#include "audio/wav_data_check.h"
#include "base/printable_text.h"
#include "base/private_folder.h"
#include "cli/audio_command_options.h"
#include "cli/audio_preview_command.h"
#include "cli/cli_operation_host.h"
#include "cli/codeplug_commands.h"
#include "cli/cradle_options.h"
#include "cli/fleet_commands.h"
#include "cli/pager_commands.h"
#include "codeplug/stream_document_host.h"
#include "inventory/operation_record.h"
#include "inventory/recorded_operation.h"
#include "link/custom_audio_download.h"
#include "link/fleet_write.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace quorl::cli {

namespace fs = std::filesystem;

namespace {

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Remembers whether the download ended with its note of slots not written.
class AudioWriteHost : public CliOperationHost {
public:
    using CliOperationHost::CliOperationHost;
    void showMessage(std::string_view text, MessageIcon icon) override {
        noteShown = noteShown || icon == MessageIcon::Information;
        CliOperationHost::showMessage(text, icon);
    }
    bool noteShown = false;
};

} // namespace

int parseSlot(const std::string& text) {
    bool digits = !text.empty();
    for (char c : text)
        digits = digits && std::isdigit(static_cast<unsigned char>(c));
    if (digits) {
        const int n = text.size() <= 2 ? std::stoi(text) : 0;
        return n >= 1 && n <= kCustomAudioSlotCount ? n - 1 : -1;
    }
    for (int i = 0; i < kCustomAudioSlotCount; ++i)
        if (lower(std::string(kCustomAudioSlots[static_cast<std::size_t>(i)].shortName)) ==
            lower(text))
            return i;
    return -1;
}

bool recordingPasses(const std::string& file, std::ostream& err) {
    // A FIFO or a device would never end; only regular files are looked into.
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) {
        err << "Cannot open " << printableText(file) << '\n'
            << fileProblemLine(file, errno == ENOENT ? "no such file" : std::strerror(errno));
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        err << "Cannot open " << printableText(file) << '\n'
            << fileProblemLine(file, S_ISDIR(st.st_mode) ? "is a folder" : "not a regular file");
        return false;
    }
    const WavCheck status = checkWav(file).status;
    if (status == WavCheck::CannotOpen) {
        err << "Cannot open " << printableText(file) << '\n'
            << fileProblemLine(file, ::access(file.c_str(), R_OK) != 0 ? std::strerror(errno)
                                                                       : "cannot be read");
        return false;
    }
    if (status != WavCheck::Ok) {
        err << terminalText(wavCheckMessage(status)) << '\n' << fileProblemLine(file, "rejected");
        return false;
    }
    // The window's check passes files the compression then refuses; say so now.
    if (const auto problem = wavDataProblem(file)) {
        err << "Cannot compress " << printableText(file) << '\n' << fileProblemLine(file, *problem);
        return false;
    }
    return true;
}

int runAudioCheck(const std::string& file) {
    if (!recordingPasses(file, std::cerr))
        return kExitFailure;
    std::cout << printableText(file) << ": OK\n";
    return kExitOk;
}

int runAudioWrite(const std::string& port, const std::vector<std::string>& slotArgs,
                  const FleetOptions* fleet) {
    std::array<DownloadSlot, kDownloadSlots> slots{};
    for (const auto& arg : slotArgs) {
        const auto eq = arg.find('=');
        const int slot = eq == std::string::npos ? -1 : parseSlot(arg.substr(0, eq));
        if (slot < 0) {
            std::cerr << "--slot wants N=FILE.wav with N from 1 to 13 or a name from \"Alert 1\" "
                         "to \"SW H\": "
                      << arg << '\n';
            return kExitUsage;
        }
        slots[static_cast<std::size_t>(slot)] = {true, arg.substr(eq + 1)};
    }
    // Every recording is checked before the pager is touched.
    for (const auto& slot : slots)
        if (slot.write && !recordingPasses(slot.wav.string(), std::cerr))
            return kExitFailure;
    const fs::path folder = buildFolder();
    if (std::string problem; !ensurePrivateFolder(folder, problem)) {
        std::cerr << "The custom audio working folder is not safe to use\n" << problemLine(problem);
        return kExitFailure;
    }
    if (fleet != nullptr)
        return runFleetAudioWrite(slots, *fleet, std::cout, std::cerr);
    AudioWriteHost host(std::cerr, stderrIsTerminal());
    VoiceBuild voice(folder);
    inventory::InventoryRecord record;
    const OperationOutcome outcome = runOn(
        port, host,
        [&](PagerLink& link, OperationHost& h) {
            return inventory::identifiedAudioDownload(
                link, h, slots,
                [&](int slot, const std::string& wav) { return voice.build(slot, wav); }, record);
        },
        OperationSelector::CustomAudioDownload);
    record.operation = "audio write";
    record.result = inventory::outcomeWord(outcome);
    record.message = oneLineMessage(host.firstMessage());
    inventory::recordOperations({record});
    if (outcome != OperationOutcome::Succeeded || host.noteShown)
        return kExitFailure;
    const auto written =
        std::count_if(slots.begin(), slots.end(), [](const DownloadSlot& s) { return s.write; });
    std::cerr << "Wrote " << written << " custom audio slot" << (written == 1 ? "" : "s")
              << " into the pager\n";
    return kExitOk;
}

void addCustomAudioCommands(CLI::App& audio, int& exitCode) {
    auto* check = audio.add_subcommand("check", "Check a WAV file as the Custom Audio window does");
    auto file = std::make_shared<std::string>();
    check->add_option("file", *file, "WAV file")->required();
    auto fit = std::make_shared<bool>(false);
    auto codec = std::make_shared<std::pair<int, int>>(kDownloadCompressionType, kDownloadSrType);
    check->add_flag("--fit", *fit,
                    "Also compress it and say how full its slot would be: the share of the "
                    "slot's four sectors and the longest recording that fits");
    addCodecOptions(*check, codec->first, codec->second);
    check->callback([file, fit, codec, &exitCode] {
        exitCode = *fit ? runAudioFit(*file, codec->first, codec->second, std::cout, std::cerr)
                        : runAudioCheck(*file);
    });

    auto* write = audio.add_subcommand("write", "Write custom audio slots into the pager");
    auto choice = std::make_shared<CradleChoice>();
    auto slotArgs = std::make_shared<std::vector<std::string>>();
    addCradleOptions(*write, *choice, "Write every connected cradle at once");
    write->add_option("--slot", *slotArgs, "N=FILE.wav, N from 1 to 13 or \"Alert 1\" .. \"SW H\"")
        ->required();
    write->callback([choice, slotArgs, &exitCode] {
        const FleetOptions fleet = choice->fleet();
        exitCode = runAudioWrite(choice->port, *slotArgs, choice->all ? &fleet : nullptr);
    });
}

} // namespace quorl::cli
