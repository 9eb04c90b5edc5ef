#include "app/voice_pager_app.h"
#include "link/link_trace.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    // QUORL_TRACE=FILE: every link of this run records its bytes, steps and messages.
    if (const char* trace = std::getenv("QUORL_TRACE"); trace != nullptr && *trace != '\0') {
        if (!quorl::startLinkTrace(trace))
            std::cerr << "Tessaly VI Quorl: cannot write the link trace " << trace << '\n';
    }
    quorl::CVoicePagerApp app(argc, argv);
    app.initInstance();
    return app.exec();
}
