#include "cli/audio_commands.h"

#include "cli/custom_audio_commands.h"

#include "audio/vq4_library.h"
#include "cli/codeplug_commands.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>

namespace quorl::cli {

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

} // namespace

int runAudioCompress(const AudioCompressOptions& o, std::ostream& out, std::ostream& err) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string source = fs::absolute(o.file, ec).string();
    const std::string project = fs::absolute(o.outDir, ec).lexically_normal().string();
    if (!fs::is_regular_file(source, ec)) {
        err << o.file << ": no such file\n";
        return kExitFailure;
    }
    ProjectConfig config{};
    PromptRequest request{};
    if (!fitsIn(project, sizeof config.projectDir) || !fitsIn(source, sizeof request.sourcePath)) {
        err << "path too long for the voice library (at most 255 characters)\n";
        return kExitFailure;
    }
    CXLoadLibrary library;
    if (!library.load()) {
        err << "cannot load the voice library: " << library.error() << '\n';
        return kExitFailure;
    }
    std::snprintf(config.projectDir, sizeof config.projectDir, "%s", project.c_str());
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
        err << o.file << ": not compressed (check the file is a 16-bit mono WAV and the type)\n";
        return kExitFailure;
    }
    auto report = readStreamReport(request.streamPath);
    out << "stream: " << request.streamPath << '\n';
    out << "size: " << request.compressedSize << " bytes\n";
    out << "codec: " << request.codecTag << '\n';
    out << "bit rate: " << report["Bit Rate"] << " bits/sample\n";
    out << "SNR: " << report["SNR"] << " dB\n";
    out << "segmental SNR: " << report["Segmental SNR"] << " dB\n";
    return kExitOk;
}

void addAudioCommands(CLI::App& app, int& exitCode) {
    auto* audio = app.add_subcommand("audio", "Custom audio through the voice library");
    audio->require_subcommand(1);
    auto* compress =
        audio->add_subcommand("compress", "Compress a WAV file into the pager's voice stream");
    auto options = std::make_shared<AudioCompressOptions>();
    compress->add_option("file", options->file, "Source WAV file")->required();
    compress->add_option("--type", options->compressionType, "Compression type (4: 4-bit ADPCM)");
    compress->add_option("--srtype", options->srType, "Sample-rate type 0..6 (3: 8000 Hz)");
    compress->add_option("-o,--output", options->outDir, "Project folder for the output");
    compress->callback(
        [options, &exitCode] { exitCode = runAudioCompress(*options, std::cout, std::cerr); });
    addCustomAudioCommands(*audio, exitCode);
}

} // namespace quorl::cli
