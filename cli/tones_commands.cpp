#include "cli/tones_commands.h"

#include "audio/wav_data_check.h"
#include "base/atomic_file_write.h"
#include "base/decimal_text.h"
#include "base/printable_text.h"
#include "base/whole_write.h"
#include "cli/codeplug_commands.h"
#include "cli/json_writer.h"
#include "cli/named_path.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/load_like_open.h"
#include "tones/page_grouping.h"
#include "tones/page_sequence.h"
#include "tones/page_synthesis.h"
#include "tones/tone_finder.h"
#include "tones/tone_matching.h"
#include "tones/wav_audio.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorl::cli {

namespace {

// "F3" or "3" to 2 (F3's index); nothing for anything else.
std::optional<int> channelIndex(std::string text) {
    if (!text.empty() && (text[0] == 'F' || text[0] == 'f'))
        text.erase(0, 1);
    if (text.size() != 1 || text[0] < '1' || text[0] > '5')
        return std::nullopt;
    return text[0] - '1';
}

// Why a file libsndfile would not read is no good, in the words of the WAV check
// when the file is a RIFF file at all.
std::string recordingProblem(const std::string& path, const std::string& libraryText) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return "no such file";
    if (S_ISDIR(st.st_mode))
        return "is a folder";
    if (!S_ISREG(st.st_mode))
        return "not a regular file";
    if (const auto why = wavDataProblem(path))
        return *why;
    return libraryText;
}

// The page's samples, or nothing after saying why on `err`.
std::optional<std::vector<float>> pageSamples(const TonePageOptions& o, std::ostream& err) {
    tones::SequenceResult made;
    if (!o.tones.empty()) {
        made = tones::sequenceForTones(o.tones, o.timing);
    } else {
        const auto channel = channelIndex(o.channel);
        if (!channel) {
            err << "--channel " << printableText(o.channel) << " is not F1 to F5\n";
            return std::nullopt;
        }
        auto state = std::make_unique<CodeplugState>();
        if (!loadLikeOpen(o.codeplug, *state, err))
            return std::nullopt;
        made = tones::sequenceForEntry(state->image, {*channel, o.call, o.group}, o.timing);
    }
    if (!made.problem.empty()) {
        err << "Cannot make the page: " << made.problem << '\n';
        return std::nullopt;
    }
    std::vector<float> samples = tones::synthesizePage(made.sequence, o.timing, o.rate);
    if (!o.thenWav.empty()) {
        const tones::RecordingResult voice = tones::readRecording(o.thenWav);
        if (!voice.problem.empty()) {
            err << "Cannot read the voice message\n"
                << fileProblemLine(o.thenWav, recordingProblem(o.thenWav, voice.problem));
            return std::nullopt;
        }
        const auto v = tones::resampleTo(voice.recording.samples, voice.recording.rate, o.rate);
        samples.insert(samples.end(), v.begin(), v.end());
    }
    return samples;
}

std::string seconds(double s) {
    return decimalText(s, 3);
}

void printTextReport(const std::vector<tones::FoundTone>& found,
                     const std::vector<tones::FoundPage>& pages,
                     const std::vector<std::vector<tones::PagedEntry>>* calls, std::ostream& out) {
    out << "Tones: " << found.size() << '\n';
    for (const auto& t : found) {
        out << "  " << seconds(t.start) << " s  " << seconds(t.duration) << " s  "
            << decimalText(t.hz, 1) << " Hz  " << decimalText(t.dbfs, 1) << " dBFS";
        for (const auto& m : tones::tableMatches(t.hz))
            out << "  " << m.system << ' ' << m.code;
        out << '\n';
    }
    out << "Pages: " << pages.size() << '\n';
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const auto& page = pages[p];
        out << "  " << seconds(page.start) << " s  "
            << (page.hz.size() == 2
                    ? decimalText(page.hz[0], 1) + " Hz then " + decimalText(page.hz[1], 1) + " Hz"
                    : "long " + decimalText(page.hz[0], 1) + " Hz");
        if (calls) {
            out << ':';
            if ((*calls)[p].empty())
                out << " no call of the codeplug";
            for (std::size_t i = 0; i < (*calls)[p].size(); ++i)
                out << (i ? ", " : " ") << tones::entryName((*calls)[p][i]);
        }
        out << '\n';
    }
}

void printJsonReport(const std::vector<tones::FoundTone>& found,
                     const std::vector<tones::FoundPage>& pages,
                     const std::vector<std::vector<tones::PagedEntry>>* calls, std::ostream& out) {
    const auto str = [&out](std::string_view s) { JsonWriter::writeString(out, s); };
    const auto tableObject = [&](const tones::TableMatch& m) {
        out << "{\"system\":";
        str(m.system);
        out << ",\"code\":";
        str(m.code);
        out << ",\"hz\":" << decimalText(m.hz, 1) << '}';
    };
    out << "{\"tones\":[";
    for (std::size_t i = 0; i < found.size(); ++i) {
        const auto& t = found[i];
        const auto matches = tones::tableMatches(t.hz);
        out << (i ? "," : "") << "{\"start\":" << seconds(t.start)
            << ",\"duration\":" << seconds(t.duration) << ",\"hz\":" << decimalText(t.hz, 1)
            << ",\"dbfs\":" << decimalText(t.dbfs, 1) << ",\"table\":";
        if (matches.empty())
            out << "null";
        else
            tableObject(matches.front());
        out << ",\"tables\":[";
        for (std::size_t m = 0; m < matches.size(); ++m) {
            out << (m ? "," : "");
            tableObject(matches[m]);
        }
        out << "]}";
    }
    out << "],\"pages\":[";
    for (std::size_t p = 0; p < pages.size(); ++p) {
        out << (p ? "," : "") << "{\"start\":" << seconds(pages[p].start) << ",\"tones\":[";
        for (std::size_t i = 0; i < pages[p].hz.size(); ++i)
            out << (i ? "," : "") << decimalText(pages[p].hz[i], 1);
        out << ']';
        if (calls) {
            out << ",\"calls\":[";
            for (std::size_t i = 0; i < (*calls)[p].size(); ++i) {
                const auto& e = (*calls)[p][i];
                out << (i ? "," : "") << "{\"channel\":";
                str(tones::channelName(e.channel));
                out << (e.group ? ",\"group\":" : ",\"call\":") << e.index << '}';
            }
            out << ']';
        }
        out << '}';
    }
    out << "]}\n";
}

} // namespace

int runTonesPage(const TonePageOptions& o, std::ostream& out, std::ostream& err) {
    if (std::string problem; !canWriteFileAtomically(o.output, problem)) {
        err << "Cannot write the page\n" << problemLine(problem);
        return kExitFailure;
    }
    const auto samples = pageSamples(o, err);
    if (!samples)
        return kExitFailure;
    const std::vector<std::byte> bytes = tones::encodeWav16(*samples, o.rate);
    if (std::string problem; bytes.empty() || !writeFileAtomically(o.output, bytes, &problem)) {
        err << "Cannot write the page\n"
            << problemLine(bytes.empty() ? "the sound library made no WAV data" : problem);
        return kExitFailure;
    }
    out << "Wrote " << printableText(o.output) << ": "
        << decimalText(static_cast<double>(samples->size()) / o.rate, 3) << " s at " << o.rate
        << " Hz\n";
    return kExitOk;
}

namespace {

// The sound player lives beside this program (it is the Qt side of playing).
std::filesystem::path playerPath() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return self.parent_path() / "quorl-tone-player";
}

} // namespace

int playOnSoundOutput(const std::vector<std::uint8_t>& pcm, std::ostream& err) {
    const std::filesystem::path player = playerPath();
    if (::access(player.c_str(), X_OK) != 0) {
        err << "No sound output: the sound player is not installed\n"
            << fileProblemLine(player.string(), std::strerror(errno));
        return kExitFailure;
    }
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        err << "Cannot start the sound player: " << std::strerror(errno) << '\n';
        return kExitFailure;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[0], STDIN_FILENO);
        const char* args[] = {player.c_str(), nullptr};
        ::execv(player.c_str(), const_cast<char* const*>(args));
        ::_exit(127);
    }
    ::close(fds[0]);
    if (pid < 0) {
        ::close(fds[1]);
        err << "Cannot start the sound player: " << std::strerror(errno) << '\n';
        return kExitFailure;
    }
    // A player without a sound output ends before it reads: its message says why,
    // and the broken pipe is no news.
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    writeWhole(fds[1], std::as_bytes(std::span(pcm)));
    ::close(fds[1]);
    std::signal(SIGPIPE, previous);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return kExitOk;
    if (WIFSIGNALED(status))
        err << "The sound player stopped (signal " << WTERMSIG(status) << ")\n";
    return kExitFailure;
}

int runTonesPlay(const TonePageOptions& options, std::ostream& err) {
    // The program's sound output plays 8 kHz, ample for tones up to 3,400 Hz.
    TonePageOptions o = options;
    o.rate = kPlayRate;
    const auto samples = pageSamples(o, err);
    if (!samples)
        return kExitFailure;
    return playOnSoundOutput(tones::pcm16le(*samples), err);
}

int runTonesFind(const std::string& recording, const std::string& codeplug, bool json,
                 std::ostream& out, std::ostream& err) {
    std::unique_ptr<CodeplugState> state;
    if (!codeplug.empty()) {
        state = std::make_unique<CodeplugState>();
        if (!loadLikeOpen(codeplug, *state, err))
            return kExitFailure;
    }
    const tones::RecordingResult read = tones::readRecording(recording);
    if (!read.problem.empty()) {
        err << "Cannot read the recording\n"
            << fileProblemLine(recording, recordingProblem(recording, read.problem));
        return kExitFailure;
    }
    const auto found = tones::findTones(read.recording.samples, read.recording.rate);
    const auto pages = tones::groupPages(found);
    std::vector<std::vector<tones::PagedEntry>> calls;
    if (state)
        for (const auto& page : pages)
            calls.push_back(tones::pagedEntries(state->image, page));
    if (json)
        printJsonReport(found, pages, state ? &calls : nullptr, out);
    else
        printTextReport(found, pages, state ? &calls : nullptr, out);
    return kExitOk;
}

namespace {

// A range check that keeps the help to one line per option (the range is in the
// option's description).
CLI::Validator within(double lo, double hi) {
    CLI::Validator v = CLI::Range(lo, hi);
    v.description("");
    return v;
}

void addPageOptions(CLI::App& cmd, TonePageOptions& o) {
    cmd.add_option("codeplug", o.codeplug, "Codeplug (.ppg) whose call is paged");
    cmd.add_option("--channel", o.channel, "Channel F1..F5 (default F1)");
    cmd.add_option("--call", o.call, "Call address 1..10")->check(within(1, 10));
    cmd.add_option("--group", o.group, "Group call 1..5")->check(within(1, 5));
    cmd.add_option("--tones", o.tones, "Tones in Hz 280..3400, no codeplug: 349.0,832.5")
        ->delimiter(',')
        ->check(within(280.0, 3400.0));
    cmd.add_option("--rate", o.rate, "Sample rate 8000, 16000 (default), 44100, 48000")
        ->check(CLI::Validator(
            [](std::string& t) -> std::string {
                const bool known = t == "8000" || t == "16000" || t == "44100" || t == "48000";
                return known ? "" : t + " is not 8000, 16000, 44100 or 48000";
            },
            ""));
    cmd.add_option("--a-seconds", o.timing.aSeconds, "First tone of a call, 0.1..60 (1.0)")
        ->check(within(0.1, 60.0));
    cmd.add_option("--b-seconds", o.timing.bSeconds, "Second tone of a call, 0.1..60 (3.0)")
        ->check(within(0.1, 60.0));
    cmd.add_option("--long-seconds", o.timing.longSeconds, "Tone of a group call, 0.1..60 (8.0)")
        ->check(within(0.1, 60.0));
    cmd.add_option("--gap-ms", o.timing.gapMs, "Silence between tones, 0..10000 (0)")
        ->check(within(0.0, 10000.0));
    cmd.add_option("--level-dbfs", o.timing.levelDbfs, "Peak tone level, -60..0 (-6)")
        ->check(within(-60.0, 0.0));
    cmd.add_option("--repeat", o.timing.repeat, "Send the tones N times, 1..20 (1)")
        ->check(within(1, 20));
    cmd.add_option("--then-wav", o.thenWav, "A voice message sent after the tones");
}

// What the options cannot say alone: a codeplug entry or tones, not both.
void checkPageUsage(const TonePageOptions& o) {
    if ((o.call != 0) + (o.group != 0) + !o.tones.empty() > 1)
        throw CLI::ValidationError("give one of --call, --group and --tones");
    if (o.tones.empty() && o.codeplug.empty())
        throw CLI::ValidationError("give a CODEPLUG with --call or --group, or --tones");
    if (o.tones.empty() && o.call == 0 && o.group == 0)
        throw CLI::ValidationError("with a CODEPLUG give --call N or --group G");
    if (!o.tones.empty() && !o.codeplug.empty())
        throw CLI::ValidationError("--tones needs no CODEPLUG");
}

} // namespace

void addTonesCommands(CLI::App& app, int& exitCode) {
    auto* tonesCmd = app.add_subcommand("tones", "Test pages and finding tones in a recording");
    tonesCmd->require_subcommand(1);

    auto pageOptions = std::make_shared<TonePageOptions>();
    auto* page = tonesCmd->add_subcommand("page", "Write a call's paging tones as a WAV file");
    addPageOptions(*page, *pageOptions);
    page->add_option("-o,--output", pageOptions->output, "WAV file to write")
        ->required()
        ->check(namedPath());
    page->callback([pageOptions, &exitCode] {
        checkPageUsage(*pageOptions);
        exitCode = runTonesPage(*pageOptions, std::cout, std::cerr);
    });

    auto playOptions = std::make_shared<TonePageOptions>();
    auto* play = tonesCmd->add_subcommand("play", "Play a call's paging tones on the sound output");
    addPageOptions(*play, *playOptions);
    play->callback([playOptions, &exitCode] {
        checkPageUsage(*playOptions);
        exitCode = runTonesPlay(*playOptions, std::cerr);
    });

    auto findFile = std::make_shared<std::string>();
    auto findCodeplug = std::make_shared<std::string>();
    auto findJson = std::make_shared<bool>(false);
    auto* find = tonesCmd->add_subcommand("find", "Find the tones and pages in a recording");
    find->add_option("recording", *findFile, "Recording (WAV or any file libsndfile reads)")
        ->required();
    find->add_option("--codeplug", *findCodeplug,
                     "Name the calls of this codeplug each page alerts");
    find->add_flag("--json", *findJson, "JSON output");
    find->callback([findFile, findCodeplug, findJson, &exitCode] {
        exitCode = runTonesFind(*findFile, *findCodeplug, *findJson, std::cout, std::cerr);
    });
}

} // namespace quorl::cli
