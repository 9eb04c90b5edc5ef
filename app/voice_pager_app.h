#pragma once

#include <QApplication>
#include <QPointer>
#include <functional>
#include <memory>

namespace quorl {

class CDataTabDlg;

class CMainFrame;
class CustomAudioModel;
class CCustomAudioDlg;
class CDataTabDlg;
class CVoicePagerDoc;
class QtProfileStore;

// The application object: profile, the one document and its frame.
class CVoicePagerApp : public QApplication {
    Q_OBJECT

public:
    CVoicePagerApp(int& argc, char** argv);
    ~CVoicePagerApp() override;

    // Shows the frame and opens a file named on the command line.
    void initInstance();

    CMainFrame& frame() { return *frame_; }
    CVoicePagerDoc& document() { return *document_; }
    QtProfileStore& profile() { return *profile_; }
    CustomAudioModel& customAudio() { return *customAudio_; }

private:
    // The User Data window; `afterShow` runs once it is shown (the tones a page
    // found go in through the channel tab there, so Cancel still discards them).
    void runUserData(const std::function<void(CDataTabDlg&)>& afterShow = {});
    void runCustomAudio();
    // The User Data window's "View Custom Audio": one modeless window at a time.
    void showCustomAudioFrom(CDataTabDlg& userData);

    std::unique_ptr<QtProfileStore> profile_;
    std::unique_ptr<CustomAudioModel> customAudio_;
    // The voice-image library is loaded afresh for every build; its loader lives
    // as long as the program.
    std::unique_ptr<CVoicePagerDoc> document_;
    std::unique_ptr<CMainFrame> frame_;
    QPointer<CCustomAudioDlg> modelessCustomAudio_;
    // The Custom Audio window of the menu while it is open.
    QPointer<CCustomAudioDlg> menuCustomAudio_;
};

} // namespace quorl
