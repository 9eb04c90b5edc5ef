#include "app/program_information.h"
#include "app/voice_pager_app.h"

#include <iostream>

int main(int argc, char** argv) {
    if (const auto exitCode = quorl::answerInformationRequest(argc, argv, std::cout))
        return *exitCode;
    quorl::CVoicePagerApp app(argc, argv);
    app.initInstance();
    return app.exec();
}
