// What the audio commands share: the voice library's compression options, and the
// check that an input is a file that ends.
#include "cli/audio_command_options.h"

#include "base/printable_text.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <ostream>
#include <string>
#include <sys/stat.h>

namespace quorl::cli {

namespace {

// The compression types and sample-rate types the voice library knows; -1 asks for
// its default and, for the rate, -2 for the one nearest the file's own.
bool isCompressionType(int t) {
    return t == -1 || (t >= 2 && t <= 5) || (t >= 10 && t <= 13) || (t >= 16 && t <= 18) ||
           (t >= 20 && t <= 22) || t == 24 || t == 25 || (t >= 27 && t <= 30);
}

bool isSrType(int t) {
    return t >= -2 && t <= 6;
}

CLI::Validator intValidator(bool (*accept)(int), const std::string& what) {
    return CLI::Validator(
        [accept, what](std::string& text) -> std::string {
            try {
                std::size_t used = 0;
                const int value = std::stoi(text, &used);
                if (used == text.size() && accept(value))
                    return {};
            } catch (const std::exception&) {
            }
            return text + " is not " + what;
        },
        ""); // the option's own help lists the values
}

} // namespace

bool isRegularFile(const std::string& path, const std::string& shown, std::ostream& err) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        return true;
    const int error = errno;
    err << "Cannot open " << printableText(shown) << '\n'
        << fileProblemLine(shown, S_ISDIR(st.st_mode) ? "is a folder"
                                  : error == ENOENT   ? "no such file"
                                                      : "not a regular file");
    return false;
}

void addCodecOptions(CLI::App& command, int& compressionType, int& srType) {
    // Checked when the options are read: a value out of range is a usage error.
    command
        .add_option("--type", compressionType,
                    "Compression type: 2..5, 10..13, 16..18, 20..22, 24, 25, 27..30, or -1 for "
                    "the library's default (12: 4-bit enhanced ADPCM)")
        ->check(intValidator(isCompressionType, "a compression type of the voice library"));
    command
        .add_option("--srtype", srType,
                    "Sample-rate type: 0..6 (3: 8000 Hz), -1 for the library's default, or -2 "
                    "for the one nearest the file's own rate")
        ->check(intValidator(isSrType, "a sample-rate type from -2 to 6"));
}

} // namespace quorl::cli
