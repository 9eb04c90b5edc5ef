#include "app/voice_pager_app.h"

int main(int argc, char** argv) {
    quorl::CVoicePagerApp app(argc, argv);
    app.initInstance();
    return app.exec();
}
