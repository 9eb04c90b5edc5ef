// quorl-tone-player: plays 8 kHz 16-bit mono samples from standard input on the
// computer's sound output, for `quorl tones play` (the command-line tool itself
// links no Qt). Exit status 0 when played out, 1 without a sound output.
#include "widgets/wave_output.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: quorl-tone-player < SAMPLES\n"
    "Plays 8000 Hz 16-bit little-endian mono samples read from standard input on\n"
    "the default sound output, then exits. `quorl tones play` runs it.\n\n"
    "Options:\n"
    "  -h, --help     this help\n"
    "  --version      the version\n"
    "  --check        only say whether there is a sound output (exit 0 or 1)\n\n"
    "Exit status:\n"
    "  0  played out\n"
    "  1  no sound output device, or nothing to play\n"
    "  2  wrong usage\n";

constexpr const char* kNoOutput =
    "No sound output device is available; the page cannot be played on this computer.\n";

// Qt Multimedia's own warnings about a missing sound server would bury the one
// line the technician needs; this program says what matters itself.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char** argv) {
    bool checkOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::cout << kUsage;
            return 0;
        }
        if (!std::strcmp(argv[i], "--version")) {
            std::cout << "quorl-tone-player " QUORL_VERSION_TEXT "\n";
            return 0;
        }
        if (!std::strcmp(argv[i], "--check")) {
            checkOnly = true;
            continue;
        }
        std::cerr << "quorl-tone-player: unknown option " << argv[i] << '\n' << kUsage;
        return 2;
    }
    qInstallMessageHandler(quiet);
    QCoreApplication app(argc, argv);
    if (!quorl::WaveOutput::deviceAvailable()) {
        std::cerr << kNoOutput;
        return 1;
    }
    if (checkOnly)
        return 0;
    std::vector<std::uint8_t> samples;
    std::uint8_t block[65536];
    for (ssize_t n; (n = ::read(STDIN_FILENO, block, sizeof block)) != 0;) {
        if (n < 0) {
            std::perror("quorl-tone-player: reading the samples");
            return 1;
        }
        samples.insert(samples.end(), block, block + n);
    }
    if (samples.empty()) {
        std::cerr << "quorl-tone-player: nothing to play\n";
        return 1;
    }
    quorl::WaveOutput output;
    QObject::connect(&output, &quorl::WaveOutput::finished, &app, &QCoreApplication::quit);
    if (!output.play(samples)) {
        std::cerr << kNoOutput;
        return 1;
    }
    return app.exec();
}
