#pragma once

#include "codeplug/codeplug_state.h"
#include "editors/audition_port.h"
#include "editors/ui/data_tab_dlg.h"
#include "modal_answerer.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace quorl::test {

// Records what Play Pager would send to the pager.
class RecordingAuditionPort : public AuditionPort {
public:
    std::vector<AuditionRequest> played;
    void play(const AuditionRequest& r, const std::function<void(int)>& startTimer) override;
};

// The User Data window shown on the five-channel VHF factory image; Cancel at the
// end, and Play Pager allowed again for the next test.
class UserDataFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    template <typename T> T* find(QWidget* in, const char* name) {
        return in->findChild<T*>(QString::fromUtf8(name));
    }

    std::unique_ptr<CodeplugState> state = std::make_unique<CodeplugState>();
    RecordingAuditionPort port;
    std::unique_ptr<CDataTabDlg> window;
    ModalAnswerer modals;
};

} // namespace quorl::test
