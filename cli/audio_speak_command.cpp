#include "cli/audio_speak_command.h"

#include "audio/recording_tidy.h"
#include "audio/spoken_recording.h"
#include "base/atomic_file_write.h"
#include "base/printable_text.h"
#include "cli/audio_tidy_command.h"
#include "cli/codeplug_commands.h"
#include "cli/named_path.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace quorl::cli {

int runAudioSpeak(const AudioSpeakOptions& o, std::ostream& out, std::ostream& err) {
    if (std::string problem; !canWriteFileAtomically(o.output, problem)) {
        err << "Cannot write the announcement\n" << problemLine(problem);
        return kExitFailure;
    }
    const SpokenRecording spoken = speakForSlot(o.text, o.settings);
    if (!spoken.problem.empty()) {
        err << "Cannot speak " << printableText("\"" + o.text + "\"") << '\n'
            << problemLine(spoken.problem);
        return kExitFailure;
    }
    return writeTidiedWav(o.output, spoken.samples, "announcement", out, err);
}

int runAudioVoices(std::ostream& out, std::ostream& err) {
    const auto voices = speechVoices();
    if (voices.empty()) {
        err << "No eSpeak NG voices are installed (Debian: espeak-ng-data)\n";
        return kExitFailure;
    }
    for (const auto& v : voices)
        out << v.language << '\t' << v.name << '\n';
    return kExitOk;
}

void addSpeakCommands(CLI::App& audio, int& exitCode) {
    auto* speak = audio.add_subcommand(
        "speak", "Speak a text with eSpeak NG into a WAV file for a custom audio slot");
    auto o = std::make_shared<AudioSpeakOptions>();
    speak->add_option("text", o->text, "What to say, e.g. \"Scan mode\"")->required();
    speak->add_option("-o,--output", o->output, "WAV file to write (8 kHz 16-bit mono, tidied)")
        ->required()
        ->check(namedPath());
    speak->add_option("--voice", o->settings.voice,
                      "eSpeak NG voice or language, e.g. en, de, fr (see `quorl audio voices`; "
                      "default en)");
    speak->add_option("--speed", o->settings.wordsPerMinute, "Words per minute (80..450; 150)")
        ->check(CLI::Range(80, 450).description(""));
    speak->add_option("--pitch", o->settings.pitch, "Pitch (0..100; 50)")
        ->check(CLI::Range(0, 100).description(""));
    speak->callback([o, &exitCode] { exitCode = runAudioSpeak(*o, std::cout, std::cerr); });

    auto* voices = audio.add_subcommand("voices", "List the eSpeak NG voices for audio speak");
    voices->callback([&exitCode] { exitCode = runAudioVoices(std::cout, std::cerr); });
}

} // namespace quorl::cli
