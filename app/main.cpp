#include "app/program_information.h"
#include "app/voice_pager_app.h"
#include "link/link_trace.h"

#include <QDateTime>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {
// The start-up benchmark (bench/startup_vs_qdmr.sh) splits the time before the first
// paint into loading the program and its libraries (up to here) and starting Qt.
void reportStage(const char* stage) {
    if (std::getenv("QUORL_REPORT_FIRST_PAINT"))
        std::fprintf(stderr, "%s at %lld ms\n", stage,
                     static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
}
} // namespace

int main(int argc, char** argv) {
    if (const auto exitCode = quorl::answerInformationRequest(argc, argv, std::cout))
        return *exitCode;
    // QUORL_TRACE=FILE: every link of this run records its bytes, steps and messages.
    if (const char* trace = std::getenv("QUORL_TRACE"); trace != nullptr && *trace != '\0') {
        if (std::string problem; !quorl::startLinkTrace(trace, &problem))
            std::cerr << "Tessaly VI Quorl: cannot write the link trace " << problem << '\n';
    }
    reportStage("main");
    quorl::CVoicePagerApp app(argc, argv);
    reportStage("application");
    app.initInstance();
    reportStage("shown");
    return app.exec();
}
