#include "cli/audio_commands.h"
#include "base/atomic_file_write.h"
#include "base/file_reading.h"
#include "base/private_folder.h"
#include "base/temporary_files.h"

#include "cli/audio_command_options.h"
#include "cli/audio_preview_command.h"
#include "cli/audio_speak_command.h"
#include "cli/audio_tidy_command.h"
#include "cli/custom_audio_commands.h"
#include "cli/named_path.h"

#include "audio/vq4_library.h"
#include "audio/wav_data_check.h"
#include "base/printable_text.h"
#include "cli/codeplug_commands.h"

#include <CLI/CLI.hpp>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <span>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorl::cli {

namespace fs = std::filesystem;

namespace {

// The figures the library leaves beside each stream it writes, "Key: value" a line.
std::map<std::string, std::string> readStreamReport(const std::string& streamPath) {
    std::map<std::string, std::string> fields;
    std::ifstream in(std::filesystem::path(streamPath).replace_extension(".txt"));
    std::string line;
    while (std::getline(in, line)) {
        const auto colon = line.find(": ");
        if (colon != std::string::npos)
            fields[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return fields;
}

bool fitsIn(const std::string& text, std::size_t capacity) {
    return text.size() < capacity;
}

// Folders made for this run, so a failed run leaves none of them behind empty.
class MadeFolders {
public:
    bool make(const fs::path& folder, std::string& problem) {
        std::vector<fs::path> missing;
        for (fs::path p = folder; !p.empty() && !fs::exists(fs::symlink_status(p));
             p = p.parent_path())
            missing.push_back(p);
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
            if (::mkdir(it->c_str(), 0777) != 0 && errno != EEXIST) {
                problem = it->string() + ": " + std::strerror(errno);
                return false;
            }
            made_.push_back(*it);
        }
        return true;
    }
    void note(const fs::path& folder) {
        if (!fs::exists(fs::symlink_status(folder)))
            made_.push_back(folder);
    }
    void removeEmpty() {
        std::error_code ec;
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            if (fs::is_empty(*it, ec))
                fs::remove(*it, ec);
    }

private:
    std::vector<fs::path> made_;
};

// Writes `contents` as `relative` (say "WavFiles/x.wav") inside the folder `root`,
// opening each folder on the way by descriptor: an existing link on the way or at the
// file is refused, never followed or reused.
bool copyIntoFolder(int root, const fs::path& shownRoot, const fs::path& relative,
                    const std::string& contents, std::string& problem) {
    int folder = root;
    fs::path shown = shownRoot;
    bool ok = true;
    for (const auto& part : relative.parent_path()) {
        shown /= part;
        const int inner = openOwnSubfolder(folder, part.c_str(), shown.string(), problem);
        if (folder != root)
            ::close(folder);
        folder = inner;
        if (folder < 0)
            return false;
    }
    ok = writeFileAtomicallyAt(folder, relative.filename().string(),
                               std::as_bytes(std::span(contents)), shown / relative.filename(),
                               &problem);
    if (folder != root)
        ::close(folder);
    return ok;
}

} // namespace

int runAudioCompress(const AudioCompressOptions& o, std::ostream& out, std::ostream& err) {
    std::error_code ec;
    const std::string source = fs::absolute(o.file, ec).string();
    const std::string project = fs::absolute(o.outDir, ec).lexically_normal().string();
    if (!isRegularFile(source, o.file, err))
        return kExitFailure;
    if (const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC); fd < 0) {
        err << "Cannot open " << printableText(o.file) << '\n'
            << fileProblemLine(o.file, std::strerror(errno));
        return kExitFailure;
    } else {
        ::close(fd);
    }
    ProjectConfig config{};
    PromptRequest request{};
    if (!fitsIn(project, sizeof config.projectDir) || !fitsIn(source, sizeof request.sourcePath)) {
        err << "Cannot compress " << printableText(o.file) << '\n'
            << fileProblemLine(fitsIn(source, sizeof request.sourcePath) ? o.outDir : o.file,
                               "path too long for the voice library (at most 255 characters)");
        return kExitFailure;
    }
    MadeFolders made;
    std::string problem;
    // The folder is looked at (links, owner, who else may write) before any work, and
    // written only through a descriptor of the very folder looked at: another user's
    // folder or a link planted in its path never gets the streams.
    fs::path real;
    if (!resolveSaveTarget(project, real, problem) || !made.make(real, problem)) {
        err << "Cannot use the output folder\n" << problemLine(problem);
        return kExitFailure;
    }
    const int projectFd = openOwnFolder(real, problem);
    if (projectFd < 0 || ::faccessat(projectFd, ".", W_OK | X_OK, 0) != 0) {
        if (projectFd >= 0)
            problem = o.outDir + ": " + std::strerror(errno);
        err << "Cannot use the output folder\n" << problemLine(problem);
        made.removeEmpty();
        return kExitFailure;
    }
    const struct ClosedAtEnd {
        int fd;
        ~ClosedAtEnd() { ::close(fd); }
    } projectFolder{projectFd};
    for (const char* sub : {"WavFiles", "BinFiles", "Logs"})
        made.note(fs::path(project) / sub);
    CXLoadLibrary library;
    if (!library.load()) {
        err << "cannot load the voice library: " << library.error() << '\n';
        made.removeEmpty();
        return kExitFailure;
    }
    // The library works in a private folder of its own (mode 0700): another run, of
    // this user or another, never writes into the files it is making. What it made is
    // then copied into the output folder.
    std::string work = (fs::temp_directory_path() / "quorl-voice-XXXXXX").string();
    if (::mkdtemp(work.data()) == nullptr) {
        err << "Cannot make a private folder for the voice library\n"
            << fileProblemLine(fs::temp_directory_path().string(), std::strerror(errno));
        made.removeEmpty();
        return kExitFailure;
    }
    struct RemovedAtEnd {
        fs::path folder;
        ~RemovedAtEnd() {
            std::error_code ignored;
            fs::remove_all(folder, ignored);
        }
    } workFolder{work};
    const TemporaryOnSignal removedOnSignal(work);
    std::snprintf(config.projectDir, sizeof config.projectDir, "%s", work.c_str());
    config.clockConfigurationByte = 0x24;
    config.clockInputFrequency = 4096000;
    config.sourceFileSampleRate = 8000;
    config.intMem = 64;
    library.VQ4Init(&config);

    std::snprintf(request.sourcePath, sizeof request.sourcePath, "%s", source.c_str());
    request.srType = o.srType;
    request.compressionType = o.compressionType;
    library.VQ4CompressVoice(request.sourcePath, request.streamPath, request.codecTag,
                             &request.compressedSize, request.srType, request.compressionType);
    std::fflush(stdout); // the library's own console lines come first
    library.VQ4FreeAll();
    if (request.compressedSize <= 0) {
        const auto why = wavDataProblem(source);
        err << "The voice library did not compress " << printableText(o.file) << '\n'
            << fileProblemLine(o.file, why ? *why : "it reads only 16-bit mono PCM WAV files");
        made.removeEmpty();
        return kExitFailure;
    }
    for (auto it = fs::recursive_directory_iterator(work, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const fs::path relative = fs::relative(it->path(), work, ec);
        std::string contents, why;
        bool tooLarge = false;
        if (!readSmallFile(it->path(), std::size_t{64} << 20, contents, why, tooLarge) ||
            !copyIntoFolder(projectFd, project, relative, contents, why)) {
            err << "Cannot write the compressed files\n" << problemLine(why);
            return kExitFailure;
        }
    }
    const std::string stream =
        (fs::path(project) / fs::relative(request.streamPath, work, ec)).string();
    auto report = readStreamReport(stream);
    out << "stream: " << printableText(stream) << '\n';
    out << "size: " << request.compressedSize << " bytes\n";
    out << "codec: " << request.codecTag << '\n';
    out << "bit rate: " << report["Bit Rate"] << " bits/sample\n";
    out << "SNR: " << report["SNR"] << " dB\n";
    out << "segmental SNR: " << report["Segmental SNR"] << " dB\n";
    return kExitOk;
}

namespace {

void addPreviewCommand(CLI::App& audio, int& exitCode) {
    auto* preview = audio.add_subcommand(
        "preview", "Hear a WAV file as the pager will: compress it, then decode the stream");
    auto options = std::make_shared<AudioPreviewOptions>();
    preview->add_option("file", options->file, "Source WAV file")->required();
    addCodecOptions(*preview, options->compressionType, options->srType);
    auto* output = preview->add_option("-o,--output", options->output,
                                       "WAV file for what the pager plays (16-bit mono, at the "
                                       "stream's rate)");
    output->check(namedPath());
    auto* play = preview->add_flag("--play", options->play, "Play it on the sound output");
    // Something must come of it: a file, the sound, or both.
    preview->callback([options, output, play, &exitCode] {
        if (output->count() == 0 && play->count() == 0)
            throw CLI::RequiredError("-o,--output or --play");
        exitCode = runAudioPreview(*options, std::cout, std::cerr);
    });
}

} // namespace

void addAudioCommands(CLI::App& app, int& exitCode) {
    auto* audio = app.add_subcommand("audio", "Custom audio through the voice library");
    audio->require_subcommand(1);
    auto* compress =
        audio->add_subcommand("compress", "Compress a WAV file into the pager's voice stream");
    auto options = std::make_shared<AudioCompressOptions>();
    compress->add_option("file", options->file, "Source WAV file")->required();
    addCodecOptions(*compress, options->compressionType, options->srType);
    compress
        ->add_option("-o,--output", options->outDir,
                     "Folder of your own for the output (WavFiles/, BinFiles/ and Logs/ are made "
                     "in it)")
        ->required()
        ->check(namedPath());
    compress->callback(
        [options, &exitCode] { exitCode = runAudioCompress(*options, std::cout, std::cerr); });
    addPreviewCommand(*audio, exitCode);
    addTidyCommand(*audio, exitCode);
    addSpeakCommands(*audio, exitCode);
    addCustomAudioCommands(*audio, exitCode);
}

} // namespace quorl::cli
