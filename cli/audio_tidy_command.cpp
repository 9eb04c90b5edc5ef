#include "cli/audio_tidy_command.h"

#include "audio/pcm_wav.h"
#include "base/atomic_file_write.h"
#include "base/decimal_text.h"
#include "base/printable_text.h"
#include "cli/audio_command_options.h"
#include "cli/codeplug_commands.h"
#include "cli/named_path.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace quorl::cli {

int runAudioTidy(const AudioTidyOptions& o, std::ostream& out, std::ostream& err) {
    if (std::string problem; !canWriteFileAtomically(o.output, problem)) {
        err << "Cannot write the tidied recording\n" << problemLine(problem);
        return kExitFailure;
    }
    if (!isRegularFile(o.file, o.file, err))
        return kExitFailure;
    const TidyResult tidy = tidyRecording(o.file, o.settings);
    if (!tidy.problem.empty()) {
        err << "Cannot tidy " << printableText(o.file) << '\n'
            << fileProblemLine(o.file, tidy.problem);
        return kExitFailure;
    }
    return writeTidiedWav(o.output, tidy.samples, "tidied recording", out, err);
}

int writeTidiedWav(const std::string& path, const std::vector<std::int16_t>& samples,
                   const std::string& what, std::ostream& out, std::ostream& err) {
    if (std::string problem;
        !writeFileAtomically(path, pcmWavBytes(samples, kTidyRate), &problem)) {
        err << "Cannot write the " << what << '\n' << problemLine(problem);
        return kExitFailure;
    }
    out << "Wrote " << printableText(path) << ": "
        << decimalText(static_cast<double>(samples.size()) / kTidyRate, 3) << " s at " << kTidyRate
        << " Hz\n";
    return kExitOk;
}

void addTidyCommand(CLI::App& audio, int& exitCode) {
    auto* tidy = audio.add_subcommand(
        "tidy", "Trim silence, remove rumble, even the level and normalise a recording");
    auto o = std::make_shared<AudioTidyOptions>();
    auto trim = std::make_shared<bool>(false);
    auto compress = std::make_shared<bool>(false);
    auto normalize = std::make_shared<double>(-1.0);
    auto highpass = std::make_shared<double>(150.0);
    tidy->add_option("file", o->file, "Recording (any WAV the sound library reads)")->required();
    tidy->add_option("-o,--output", o->output, "WAV file to write (8 kHz 16-bit mono)")
        ->required()
        ->check(namedPath());
    auto* trimFlag = tidy->add_flag("--trim", *trim, "Trim leading and trailing silence");
    auto* normalizeOption =
        tidy->add_option("--normalize", *normalize, "Bring the peak to DBFS (-20..0; usually -1)")
            ->check(CLI::Range(-20.0, 0.0).description(""));
    auto* highpassOption =
        tidy->add_option("--highpass", *highpass, "Remove rumble below HZ (20..1000; usually 150)")
            ->check(CLI::Range(20.0, 1000.0).description(""));
    auto* compressFlag =
        tidy->add_flag("--compress", *compress, "Even the level for a small pager speaker");
    tidy->callback([=, &exitCode] {
        const bool chosen = trimFlag->count() + normalizeOption->count() + highpassOption->count() +
                                compressFlag->count() >
                            0;
        if (chosen) {
            o->settings.trim = *trim;
            o->settings.compress = *compress;
            o->settings.normalizeDbfs =
                normalizeOption->count() ? std::optional(*normalize) : std::nullopt;
            o->settings.highpassHz =
                highpassOption->count() ? std::optional(*highpass) : std::nullopt;
        }
        exitCode = runAudioTidy(*o, std::cout, std::cerr);
    });
}

} // namespace quorl::cli
