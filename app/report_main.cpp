// quorl-report: the printed summary of a .ppg file as a PDF, without a display.
// `quorl report` runs it.
#include "app/report_printing.h"
#include "app/summary_report.h"
#include "cli/codeplug_commands.h"
#include "codeplug/codeplug_state.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <quorl_version.h>

namespace {
constexpr const char* kUsage = "usage: quorl-report FILE.ppg -o FILE.pdf\n";
}

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
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("quorl-report %s\n", QUORL_VERSION);
            return 0;
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
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
        // Headless runs (CI, ssh) often have none; Qt would complain on every run.
        static char runtime[] = "/tmp/quorl-report-XXXXXX";
        if (::mkdtemp(runtime))
            ::setenv("XDG_RUNTIME_DIR", runtime, 1);
    }
    QGuiApplication app(argc, argv);

    auto state = std::make_unique<quorl::CodeplugState>();
    if (!quorl::cli::loadLikeOpen(input, *state, std::cerr))
        return 1;
    // A file has no pager version: that comes only from a pager read.
    const quorl::SummaryReport report(state->image, state->currentFileName, "");
    if (!quorl::exportReportPdf(report, QString::fromStdString(output))) {
        std::fprintf(stderr, "Cannot write %s\n", output.c_str());
        return 1;
    }
    std::printf("%s: %d pages\n", output.c_str(), report.pageCount());
    return 0;
}
