// The application object's windows: a User Data window never opens over the Custom
// Audio window, and there is never a second Custom Audio window.
#include "app/main_frame.h"
#include "app/qt_operation_host.h"
#include "app/voice_pager_app.h"
#include "app/voice_pager_doc.h"
#include "audio/ui/custom_audio_dlg.h"
#include "editors/ui/data_tab_dlg.h"
#include "tests/support/test_files.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace quorl::test {
extern CVoicePagerApp* theApp;

namespace {

template <typename W> QList<W*> shown() {
    QList<W*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<W*>(w); window && window->isVisible())
            out.push_back(window);
    return out;
}

// Runs `action` once a window of type W shows (the code under test opens it modal).
template <typename W> class WhenShown {
public:
    explicit WhenShown(std::function<void(W&)> action) {
        QObject::connect(&timer_, &QTimer::timeout, [this, action] {
            const auto windows = shown<W>();
            if (windows.isEmpty() || ran)
                return;
            ran = true;
            timer_.stop();
            action(*windows.front());
        });
        timer_.start(10);
    }
    bool ran = false;

private:
    QTimer timer_;
};

class AppWindowsTest : public ::testing::Test {
protected:
    AppWindowsTest() {
        theApp->document().state().loadBoth(validImage());
        theApp->document().state().loaded = true;
    }
    CMainFrame& frame = theApp->frame();
};

TEST_F(AppWindowsTest, AReadEndingUnderCustomAudioShowsUserDataAfterItCloses) {
    int customAudioWhenUserDataShowed = -1;
    WhenShown<CDataTabDlg> userData([&](CDataTabDlg& window) {
        customAudioWhenUserDataShowed = static_cast<int>(shown<CCustomAudioDlg>().size());
        window.reject();
    });
    WhenShown<CCustomAudioDlg> customAudio([&](CCustomAudioDlg& window) {
        frame.showReadCodeplug(); // the read ends
        QApplication::processEvents();
        EXPECT_TRUE(shown<CDataTabDlg>().isEmpty()) << "User Data over Custom Audio";
        EXPECT_FALSE(userData.ran);
        frame.onCustomAudio(); // asked for again
        EXPECT_EQ(shown<CCustomAudioDlg>().size(), 1);
        window.reject();
    });
    frame.onCustomAudio();
    EXPECT_TRUE(customAudio.ran);
    EXPECT_TRUE(userData.ran) << "the read's User Data window never came";
    EXPECT_EQ(customAudioWhenUserDataShowed, 0);
}

TEST_F(AppWindowsTest, CustomAudioAskedForAgainRaisesTheOpenWindow) {
    QList<int> counts;
    WhenShown<CDataTabDlg> userData([&](CDataTabDlg& window) {
        for (int i = 0; i < 2; ++i) {
            window.viewCustomAudioButton()->click();
            QApplication::processEvents();
            counts.push_back(static_cast<int>(shown<CCustomAudioDlg>().size()));
        }
        frame.onCustomAudio(); // the menu, while the window of User Data is open
        counts.push_back(static_cast<int>(shown<CCustomAudioDlg>().size()));
        window.reject();
    });
    frame.onUserData();
    EXPECT_TRUE(userData.ran);
    EXPECT_EQ(counts, (QList<int>{1, 1, 1}));
    EXPECT_TRUE(shown<CCustomAudioDlg>().isEmpty()) << "it closes with User Data";
}

} // namespace
} // namespace quorl::test
