#include "user_data_fixture.h"

#include "tests/support/test_files.h"

#include <QApplication>

namespace quorl::test {

void RecordingAuditionPort::play(const AuditionRequest& r,
                                 const std::function<void(int)>& startTimer) {
    played.push_back(r);
    AuditionState::process().started(r.durationMs);
    startTimer(r.durationMs);
}

void UserDataFixture::SetUp() {
    state->loadBoth(validImage());
    state->loaded = true;
    window = std::make_unique<CDataTabDlg>(*state, port, [] { return true; });
    window->show();
    QApplication::processEvents();
}

void UserDataFixture::TearDown() {
    window->onCancel();
    AuditionState::process().allow();
}

} // namespace quorl::test
