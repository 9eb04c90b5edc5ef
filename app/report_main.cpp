// quorl-report: the printed summary of a .ppg file as a PDF, without a display.
// `quorl report` runs it.
#include "app/report_printing.h"
#include "app/summary_report.h"
#include "base/output_check.h"
#include "base/printable_text.h"
#include "base/temporary_files.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/load_like_open.h"

#include <QGuiApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <quorl_version.h>

namespace {
constexpr const char* kUsage = "usage: quorl-report FILE.ppg -o FILE.pdf\n";
}

namespace {

// Headless runs (CI, ssh) often have no XDG_RUNTIME_DIR, and Qt complains on every run
// without one: a private one of our own (mkdtemp makes it 0700, under an unguessable
// name) stands in while the program runs and goes with it.
class TemporaryRuntimeFolder {
public:
    TemporaryRuntimeFolder() {
        if (std::getenv("XDG_RUNTIME_DIR"))
            return;
        char name[] = "/tmp/quorl-report-XXXXXX";
        if (::mkdtemp(name)) {
            folder_ = name;
            removedOnSignal_ = std::make_unique<quorl::TemporaryOnSignal>(folder_);
            ::setenv("XDG_RUNTIME_DIR", name, 1);
        }
    }
    ~TemporaryRuntimeFolder() {
        std::error_code ec;
        if (!folder_.empty())
            std::filesystem::remove_all(folder_, ec);
    }
    TemporaryRuntimeFolder(const TemporaryRuntimeFolder&) = delete;
    TemporaryRuntimeFolder& operator=(const TemporaryRuntimeFolder&) = delete;

private:
    std::filesystem::path folder_;
    std::unique_ptr<quorl::TemporaryOnSignal> removedOnSignal_;
};

} // namespace

int main(int argc, char** argv) {
    std::string input, output;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("Usage: quorl-report FILE.ppg -o FILE.pdf\n"
                        "Writes the printed summary of a .ppg file as a PDF without a display;\n"
                        "`quorl report` runs it.\n\n"
                        "Options:\n"
                        "  -o, --output FILE.pdf  PDF file to write.\n"
                        "  -h, --help             Print this help and exit.\n"
                        "  --version              Print the version and exit.\n");
            return quorl::exitCodeAfterOutput(0, "quorl-report");
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("quorl-report %s\n", QUORL_VERSION);
            return quorl::exitCodeAfterOutput(0, "quorl-report");
        }
        if ((std::strcmp(argv[i], "-o") == 0 || std::strcmp(argv[i], "--output") == 0) &&
            i + 1 < argc)
            output = argv[++i];
        else if (input.empty() && argv[i][0] != '-')
            input = argv[i];
        else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (input.empty() || output.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // Always headless: a QT_QPA_PLATFORM of xcb or wayland without a display (an ssh
    // session) would end the program before it wrote anything.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    TemporaryRuntimeFolder runtime;
    QGuiApplication app(argc, argv);
    // Qt takes the user's locale; the tool's messages are English, the causes in them too.
    std::setlocale(LC_MESSAGES, "C");

    auto state = std::make_unique<quorl::CodeplugState>();
    if (!quorl::loadLikeOpen(input, *state, std::cerr))
        return 1;
    // A file has no pager version: that comes only from a pager read.
    const quorl::SummaryReport report(state->image, state->currentFileName, "");
    if (std::string problem; !quorl::exportReportPdf(report, output, &problem)) {
        std::fprintf(stderr, "Cannot write the report\n  %s\n",
                     quorl::printableText(problem).c_str());
        return 1;
    }
    std::printf("%s: %d pages\n", quorl::printableText(output).c_str(), report.pageCount());
    return quorl::exitCodeAfterOutput(0, "quorl-report");
}
